# The release of this version, for the AppStream metadata, the manual page and every archive: the
# day of SOURCE_DATE_EPOCH when it is set (scripts/release.sh sets it to the commit's time;
# dpkg-buildpackage to the date of debian/changelog's entry), otherwise the date written here. Every file the packages date is dated at that
# time (QUORVEX_SOURCE_DATE_EPOCH, seconds since 1970).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    string(TIMESTAMP QUORVEX_RELEASE_DATE "%Y-%m-%d" UTC)
    string(TIMESTAMP QUORVEX_SOURCE_DATE_EPOCH "%s" UTC)
else()
    set(QUORVEX_RELEASE_DATE 2026-12-08)
    set(QUORVEX_SOURCE_DATE_EPOCH 1796688000) # that day's midnight, UTC
endif()
