"""The window at 100, 125, 150 and 200 %: on a bench whose every process sees that DPI,
the window is the design scaled, its captions fit on one line in the GUI font of that
DPI, and the help balloon's tip lands on the scaled point. Screenshots of each DPI are
saved under out/e2e/<test>[<dpi>dpi]/."""
from tools.bench.harness import SCREEN, wait_until
from tools.bench.pages import (AWAY, BUTTON5, BUTTON6, COLOR_INFOTEXT, COPY_OFF, DESIGN_PLACES, DESIGN_WINDOW, EDIT1,
                              HELP_TIP_FROM_EDIT, LABEL1, LINK1, WS_EX_TOPMOST, Picture, balloon_room,
                              caption_of_switch, centre, scale, syscolor, text_of, wait_balloon)

CAPTIONED = [BUTTON5, BUTTON6, LINK1]


def place_of(control):
    left, top, right, bottom = control["place"]
    return left, top, right - left, bottom - top


def client_rect(control):
    """The control's client area on the screen: left, top, right, bottom."""
    left, top = control["client_origin"]
    return left, top, left + control["client"][2], top + control["client"][3]


def design_client(bench, style):
    """The design's client area: its outer size less the title bar and borders that
    this system gives the window at 96 DPI."""
    frame = bench.probe("frame", style, 0, 96)["frame"]
    return DESIGN_WINDOW[0] - frame[0], DESIGN_WINDOW[1] - frame[1]


def runs(flags, gap=2):
    """The runs of true values, as (first, last) pairs, joining runs at most `gap` apart."""
    out = []
    for i, flag in enumerate(flags):
        if not flag:
            continue
        if out and i - out[-1][1] <= gap + 1:
            out[-1] = (out[-1][0], i)
        else:
            out.append((i, i))
    return out


def ink(picture, rect, inset=3):
    """The rows and the columns of rect, `inset` pixels in from its edges (clear of
    borders), that hold dark text pixels: their runs, top to bottom and left to right."""
    left, top, right, bottom = rect[0] + inset, rect[1] + inset, rect[2] - inset, rect[3] - inset

    def dark(x, y):
        return max(picture.at(x, y)) < 110
    rows = [any(dark(x, y) for x in range(left, right)) for y in range(top, bottom)]
    columns = [any(dark(x, y) for y in range(top, bottom)) for x in range(left, right)]
    return runs(rows), runs(columns)


def test_window_and_controls_are_the_design_scaled(scaled_bench, scaled_app, scaled_shots):
    dpi = scaled_bench.dpi
    s = scaled_app.state()
    left, top, right, bottom = s["rect"]
    width, height = right - left, bottom - top
    client = s["client"][2], s["client"][3]
    frame = scaled_bench.probe("frame", s["style"], 0, dpi)["frame"]
    # The outer size is the client area and the frame of this DPI; at 96, the design's.
    assert (width, height) == (client[0] + frame[0], client[1] + frame[1])
    if dpi == 96:
        assert (width, height) == DESIGN_WINDOW
    # Centred by the formula, on the scaled size, and always on top.
    assert (left, top) == ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2)
    assert s["exstyle"] & WS_EX_TOPMOST
    for control_id, design in DESIGN_PLACES.items():
        measured = place_of(scaled_app.child(control_id, s))
        expected = tuple(scale(v, dpi) for v in design)
        assert all(abs(m - e) <= 1 for m, e in zip(measured, expected)), (control_id, measured, expected)
    scaled_bench.xdotool("mousemove", *AWAY)
    shot = Picture(scaled_shots("window"))
    # The screen shows the window: the link's green and the edit box's white.
    link, edit = scaled_app.child(LINK1, s), scaled_app.child(EDIT1, s)
    assert shot.count(client_rect(link), (128, 224, 0)) > link["client"][2] * link["client"][3] // 2
    assert shot.count(client_rect(edit), (255, 255, 255)) > edit["client"][2] * edit["client"][3] * 3 // 4


def test_client_area_keeps_the_design_proportions(scaled_bench, scaled_app):
    dpi = scaled_bench.dpi
    s = scaled_app.state()
    design = design_client(scaled_bench, s["style"])
    client = s["client"][2], s["client"][3]
    expected = scale(design[0], dpi), scale(design[1], dpi)
    assert all(abs(c - e) <= 1 for c, e in zip(client, expected)), (client, expected)
    assert abs(client[0] / client[1] - design[0] / design[1]) <= 0.02 * design[0] / design[1]
    # The visible row keeps the design's margins right of and below it (the design's
    # row reaches x = 328 and y = 30), and the label stays outside.
    row = [scaled_app.child(i, s)["place"] for i in (EDIT1, BUTTON5, BUTTON6, LINK1)]
    assert abs(client[0] - max(p[2] for p in row) - scale(design[0] - 328, dpi)) <= 1
    assert abs(client[1] - max(p[3] for p in row) - scale(design[1] - 30, dpi)) <= 1
    assert scaled_app.child(LABEL1, s)["place"][0] >= client[0]


def captions_fit(bench, app, picture):
    """Each caption measured in the GUI font of this DPI fits the width of its control,
    and the screen shows it as one line of that size inside the control."""
    s = app.state()
    for control_id in CAPTIONED:
        control = app.child(control_id, s)
        extent = bench.probe("text-extent", control["hwnd"])["extent"]
        width, height = control["client"][2], control["client"][3]
        caption = text_of(control)
        assert extent[0] <= width - 4 and extent[1] <= height, (caption, extent, width, height)
        bands, columns = ink(picture, client_rect(control))
        assert len(bands) == 1, (caption, "lines of ink", bands)
        assert bands[0][1] - bands[0][0] + 1 <= extent[1], (caption, bands)
        drawn = columns[-1][1] - columns[0][0] + 1
        # The ink is as wide as the text in that font: a font of another DPI is not.
        assert 0.8 * extent[0] <= drawn <= extent[0] + 2, (caption, drawn, extent)


def test_each_caption_fits_on_one_line_inside_its_control(scaled_bench, scaled_app, scaled_shots):
    scaled_bench.xdotool("mousemove", *AWAY)
    captions_fit(scaled_bench, scaled_app, Picture(scaled_shots("copy-on")))
    # The switch's other caption, with the focus back in the edit box, so that no focus
    # frame is drawn over a button.
    scaled_bench.xdotool("mousemove", *centre(scaled_app.child(BUTTON5)), "click", 1)
    wait_until(lambda: caption_of_switch(scaled_app) == COPY_OFF, what="the switch to turn copying off")
    scaled_bench.xdotool("mousemove", *centre(scaled_app.child(EDIT1)), "click", 1, "mousemove", *AWAY)
    captions_fit(scaled_bench, scaled_app, Picture(scaled_shots("copy-off")))


def test_help_balloon_tip_lands_on_the_scaled_point(scaled_bench, scaled_app, scaled_shots):
    dpi = scaled_bench.dpi
    s = scaled_app.state()
    edit = scaled_app.child(EDIT1, s)
    x = s["rect"][0] + edit["place"][0] + scale(HELP_TIP_FROM_EDIT[0], dpi)
    y = s["rect"][1] + edit["place"][1] + scale(HELP_TIP_FROM_EDIT[1], dpi)
    scaled_bench.xdotool("mousemove", *centre(scaled_app.child(BUTTON6, s)), "click", 1, "mousemove", *AWAY)
    b = wait_balloon(scaled_bench)
    shot = Picture(scaled_shots("balloon"))
    room = balloon_room(dpi)
    left, top, right, bottom = b["rect"]
    assert left == x - room["inset"]
    assert bottom - room["below"] - 1 == y
    # The tip's pixel is the border's colour, 90 % over the title bar; left of it the
    # title bar shows as it was.
    infotext = syscolor(scaled_bench, COLOR_INFOTEXT)
    assert all(abs(p - (i * 90 + 50) // 100) <= 26 for p, i in zip(shot.at(x, y), infotext)), shot.at(x, y)
    assert max(shot.at(x - 1, y)) > 110, shot.at(x - 1, y)
    # Two lines of text in the scaled 9-point font, inside the scaled margins.
    body = (left, top, right - room["right"], bottom - room["below"] - room["pointer"])
    bands, columns = ink(shot, body, inset=scale(12, dpi) - 2)
    assert len(bands) == 2, bands
    line = scale(12, dpi)
    assert all(line * 0.6 <= last - first + 1 <= line * 1.2 for first, last in bands), (bands, line)
