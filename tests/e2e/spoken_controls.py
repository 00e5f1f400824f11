"""What a screen reader is told of every control of the eight screens, in one table for both
platforms: on Linux Orca hears it through AT-SPI (screen_reader_e2e.py, and accessibility_e2e.py
reads it from the bus), on Windows a screen reader reads it through UI Automation
(tests/windows/uia_e2e.py).

Each screen is its window's name, then each of its controls, by its name in the screen's table
(src/screens/), in creation order: (name, role, description). A role is Orca 43's word for it,
which is AT-SPI's name for the role Qt gives the control; CONTROL_TYPES gives the UI Automation
control type Qt gives the same control on Windows. The result labels are named by their values,
empty until "Solve"; SOLVED holds what "Solve" describes itself with after 400 V, 10 A and 30
degrees (the angle where a screen has one), and COPIED what Ctrl+C has said once it has copied a
solved calculation.
"""

# Orca 43's word for a role, and the UI Automation control type of the same control.
CONTROL_TYPES = {
    "frame": "Window",
    "push button": "Button",
    "text": "Edit",
    "image": "Image",
    "label": "Text",
    "filler": "Group",  # a shape: an outline, which a screen reader passes over
}

BANNER = "Quorvex banner: a sine wave and the power triangle"
THREE_PHASE = "For 3 Phase Circuits"
ONE_PHASE = "For 1 Phase Circuits"

SCREENS = {
    "frmQV": ("Quorvex", {
        "Picture2": (BANNER, "image"),
        "Command9": ("About", "push button"),
        "Picture1": ("Quorvex logo", "image"),
        "Command8": ("Reactive Power", "push button", ONE_PHASE),
        "Command7": ("Apparent Power", "push button", ONE_PHASE),
        "Command6": ("Real Power", "push button", ONE_PHASE),
        "Command1": ("Real Power", "push button", THREE_PHASE),
        "Command2": ("Apparent Power", "push button", THREE_PHASE),
        "Command4": ("Close", "push button"),
        "Command3": ("Reactive Power", "push button", THREE_PHASE),
        "Label2": (ONE_PHASE, "label"),
        "Shape2": ("", "filler"),
        "Shape1": ("", "filler"),
        "Label1": ("Quorvex 1_0", "label"),
        "Label5": (THREE_PHASE, "label"),
    }),
    "frmRealPower": ("Real  Power - 3Ph", {
        "Picture1": (BANNER, "image"),
        "Txt_c(1)": ("Phase angle in degrees", "text"),
        "Command3": ("Back to Main Page", "push button"),
        "Command2": ("New Values", "push button"),
        "Command1": ("Solve", "push button"),
        "Txt_b": ("Current in amperes", "text"),
        "Txt_a": ("Voltage in volts", "text"),
        "Label14": ("Power  Factor", "label"),
        "Label11": ("=", "label"),
        "Lbl_Pi": ("", "label", "Angle as read, in degrees"),
        "Label12": ("kVA", "label"),
        "Lbl_s": ("", "label", "Apparent power S in kVA"),
        "Label7(1)": ("Apparent  Power ,  S =", "label"),
        "Shape1": ("", "filler"),
        "Label5(1)": ("Cos Angle ", "label"),
        "Label6": ("Degrees", "label"),
        "Lbl_m": ("", "label", "Power factor, the cosine of the angle"),
        "Label8": ("Cos", "label"),
        "Label4": (" Real  Power ,   P =  1.732  * V * I  *  Cos  Pi", "label"),
        "Label3": ("kW", "label"),
        "Label2": ("Amps", "label"),
        "Label1": ("Volts", "label"),
        "Label13": ("Use Tab to enter Values", "label"),
        "Label10": ("Current", "label"),
        "Label9": ("Voltage", "label"),
        "Lbl_x": ("", "label", "Real power P in kW"),
        "Lbl_1": ("Real (Active) Power in 3 Phase Circuits", "label"),
        "Label7(0)": ("Real Power ,  P =", "label"),
    }),
    "frmApparentPower": ("Apparent Power - 3Ph", {
        "Picture1": (BANNER, "image"),
        "Command3": ("Back to Main Page", "push button"),
        "Txt_a": ("Voltage in volts", "text"),
        "Txt_b": ("Current in amperes", "text"),
        "Command1": ("Solve", "push button"),
        "Command2": ("New Values", "push button"),
        "Shape1": ("", "filler"),
        "Label4": ("Apparent  Power ,   S =  1.732 * V * I", "label"),
        "Label7": ("Apparent Power , S =", "label"),
        "Lbl_1": ("Apparent  Power in  3 Phase Circuits", "label"),
        "Lbl_x": ("", "label", "Apparent power S in kVA"),
        "Label9": ("Voltage", "label"),
        "Label10": ("Current", "label"),
        "Label13": ("Use Tab to enter Values", "label"),
        "Label1": ("Volts", "label"),
        "Label2": ("Amps", "label"),
        "Label3": ("kVA", "label"),
    }),
    "frmReactivePower": ("Reactive  Power - 3PH", {
        "Picture1": (BANNER, "image"),
        "Txt_a": ("Voltage in volts", "text"),
        "Txt_b": ("Current in amperes", "text"),
        "Command1": ("Solve", "push button"),
        "Command2": ("New Values", "push button"),
        "Command3": ("Back to Main Page", "push button"),
        "Txt_c(1)": ("Phase angle in degrees", "text"),
        "Label11": ("=", "label"),
        "Lbl_Pi": ("", "label", "Angle as read, in degrees"),
        "Lbl_s": ("", "label", "Apparent power S in kVA"),
        "Label7(1)": ("Apparent  Power ,  S =", "label"),
        "Label12": ("kVA", "label"),
        "Shape1": ("", "filler"),
        "Label7(0)": ("Reactive Power ,  Q =", "label"),
        "Lbl_1": ("Reactive Power  in  3 Phase Circuits", "label"),
        "Lbl_x": ("", "label", "Reactive power Q in kVAr"),
        "Label9": ("Voltage", "label"),
        "Label10": ("Current", "label"),
        "Label13": ("Use Tab to enter Values", "label"),
        "Label1": ("Volts", "label"),
        "Label2": ("Amps", "label"),
        "Label3": ("kVAr", "label"),
        "Label4": (" Reactive  Power , Q =  1.732  * V * I  *  Sin  Pi", "label"),
        "Label8": ("Sin", "label"),
        "Lbl_m": ("", "label", "Sine of the angle"),
        "Label6": ("Degrees", "label"),
        "Label5(1)": ("Sin Angle ", "label"),
    }),
    "frm1PRealPower": ("Real Power - 1Ph", {
        "Picture1": (BANNER, "image"),
        "Txt_a": ("Voltage in volts", "text"),
        "Txt_b": ("Current in amperes", "text"),
        "Command1": ("Solve", "push button"),
        "Command2": ("New Values", "push button"),
        "Command3": ("Back to Main Page", "push button"),
        "Txt_c(1)": ("Phase angle in degrees", "text"),
        "Label14": ("Power Factor", "label"),
        "Label7(0)": ("Real Power ,  P =", "label"),
        "Lbl_1": ("Real (Active) Power in 1 Phase Circuits", "label"),
        "Lbl_x": ("", "label", "Real power P in kW"),
        "Label9": ("Voltage", "label"),
        "Label10": ("Current", "label"),
        "Label13": ("Use Tab to enter Values", "label"),
        "Label1": ("Volts", "label"),
        "Label2": ("Amps", "label"),
        "Label3": ("kW", "label"),
        "Label4": (" Real  Power ,   P =   V * I  *  Cos  Pi", "label"),
        "Label8": ("Cos", "label"),
        "Lbl_m": ("", "label", "Power factor, the cosine of the angle"),
        "Label6": ("Degrees", "label"),
        "Label5(1)": ("Cos Angle ", "label"),
        "Shape1": ("", "filler"),
        "Label7(1)": ("Apparent  Power ,  S =", "label"),
        "Lbl_s": ("", "label", "Apparent power S in kVA"),
        "Label12": ("kVA", "label"),
        "Lbl_Pi": ("", "label", "Angle as read, in degrees"),
        "Label11": ("=", "label"),
    }),
    "frm1PApparentPower": ("Apparent Power - 1Ph", {
        "Picture1": (BANNER, "image"),
        "Command2": ("New Values", "push button"),
        "Command1": ("Solve", "push button"),
        "Txt_b": ("Current in amperes", "text"),
        "Txt_a": ("Voltage in volts", "text"),
        "Command3": ("Back to Main Page", "push button"),
        "Label3": ("kVA", "label"),
        "Label2": ("Amps", "label"),
        "Label1": ("Volts", "label"),
        "Label13": ("Use Tab to enter Values", "label"),
        "Label10": ("Current", "label"),
        "Label9": ("Voltage", "label"),
        "Lbl_x": ("", "label", "Apparent power S in kVA"),
        "Lbl_1": ("Apparent  Power in 1 Phase Circuits", "label"),
        "Label7": ("Apparent Power , S =", "label"),
        "Label4": ("Apparent  Power ,   S =   V * I", "label"),
        "Shape1": ("", "filler"),
    }),
    "frm1PReactivePower": ("Reactive Power -  1ph", {
        "Picture1": (BANNER, "image"),
        "Txt_c(1)": ("Phase angle in degrees", "text"),
        "Command3": ("Back to Main Page", "push button"),
        "Command2": ("New Values", "push button"),
        "Command1": ("Solve", "push button"),
        "Txt_b": ("Current in amperes", "text"),
        "Txt_a": ("Voltage in volts", "text"),
        "Label5(1)": ("Sin Angle ", "label"),
        "Label6": ("Degrees", "label"),
        "Lbl_m": ("", "label", "Sine of the angle"),
        "Label8": ("Sin", "label"),
        "Label4": (" Reactive  Power , Q =   V * I  *  Sin  Pi", "label"),
        "Label3": ("kVAr", "label"),
        "Label2": ("Amps", "label"),
        "Label1": ("Volts", "label"),
        "Label13": ("Use Tab to enter Values", "label"),
        "Label10": ("Current", "label"),
        "Label9": ("Voltage", "label"),
        "Lbl_x": ("", "label", "Reactive power Q in kVAr"),
        "Lbl_1": ("Reactive Power in 1  Phase Circuits", "label"),
        "Label7(0)": ("Reactive Power ,  Q =", "label"),
        "Shape1": ("", "filler"),
        "Label12": ("kVA", "label"),
        "Label7(1)": ("Apparent  Power ,  S =", "label"),
        "Lbl_s": ("", "label", "Apparent power S in kVA"),
        "Lbl_Pi": ("", "label", "Angle as read, in degrees"),
        "Label11": ("=", "label"),
    }),
    "frmAbout": ("About", {
        "Command1": ("Close", "push button"),
        "Picture1": (BANNER, "image"),
        "Label4": ("Quorvex 1_0", "label"),
        "Label3": ("quorvex.example", "label"),
        "Label2": ("\u00A9 2026 Quorvex developers", "label"),
        "Label1": ("Copyright", "label"),
    }),
}

SOLVED = {
    "frmRealPower": "Real power P 6 kW, apparent power S 6.928 kVA, power factor 0.866, "
                    "angle 30 degrees",
    "frmApparentPower": "Apparent power S 6.928 kVA",
    "frmReactivePower": "Reactive power Q 3.464 kVAr, apparent power S 6.928 kVA, "
                        "sine of the angle 0.5, angle 30 degrees",
    "frm1PRealPower": "Real power P 3.464 kW, apparent power S 4 kVA, power factor 0.866, "
                      "angle 30 degrees",
    "frm1PApparentPower": "Apparent power S 4 kVA",
    "frm1PReactivePower": "Reactive power Q 2 kVAr, apparent power S 4 kVA, "
                          "sine of the angle 0.5, angle 30 degrees",
}

COPIED = "Copied"


def control(screen, name):
    """A control's (name, role, description)."""
    row = SCREENS[screen][1][name]
    return row + ("",) * (3 - len(row))


def controls(screen):
    """The screen's window, then each of its controls, as (name, role, description)."""
    caption, rows = SCREENS[screen]
    return [(caption, "frame", "")] + [control(screen, name) for name in rows]
