#!/usr/bin/env python3
"""Drives the editor on a private X server and takes the screenshots a reviewer looks at:
a 320 x 64 sign at factor 1 with its separator lines, the same at factor 8 with the grid,
the About box, and the palette of a single-colour sign.
Usage: scripts/editor-screenshots.py BUILD_DIR OUT_DIR [single]
(one driver per process: the single-colour run is a second invocation with "single")"""
import os
import shutil
import sys
import time

sys.path.insert(0, "/work/shared/guidriver")
from guidriver import GuiDriver  # noqa: E402

build, out = sys.argv[1], sys.argv[2]
single = len(sys.argv) > 3 and sys.argv[3] == "single"
os.makedirs(out, exist_ok=True)


def set_params(d, width, height, screens, single=False):
    dlg = d.wait_window("Set parameter of LED Lextrel")
    if single:
        d.click(dlg.find("radio button", "Single Color"))
    fields = [n for n in dlg.walk() if n.role == "text"]
    fields.sort(key=lambda n: n.extents[1])
    d.fill_field(fields[0], str(width))
    d.fill_field(fields[1], str(height))
    d.fill_field(fields[2], str(screens))
    d.click_button("Set")
    return d.wait_window("Vemt - LED Lextrel Software")


def keep(d, name):
    path = d.screenshot(name)
    shutil.copy(path, os.path.join(out, os.path.basename(path)))


if not single:
  with GuiDriver(os.path.join(build, "vemt"), screen="1280x1024x24") as d:
    d.start()
    set_params(d, 320, 64, 10)
    time.sleep(0.5)
    keep(d, "sign320x64-factor1")
    d.click_tool("Character")
    d.click_dot(4, 2)
    d.wait_window("Font")
    d.focus_window("Font")
    d.type_text("Hello LED")
    d.click_button("OK")
    time.sleep(0.3)
    d.click_menu(["View(&V)", "Seperate Line"])
    time.sleep(0.3)
    keep(d, "text-separators-factor1")
    d.click_tool("Zoom")
    zoom = d.wait_window("Zoom Mode", roles=("filler", "frame", "dialog", "window"))
    x, y, w, h = zoom.extents
    d.click_at(x + 20, y + 8 + 3 * 19 + 8)  # "8x"
    time.sleep(0.5)
    d.click_menu(["View(&V)", "Grid"])
    time.sleep(0.5)
    keep(d, "factor8-grid-separators")
    d.click_menu(["Help(&H)", "About LED Lextrel..."])
    d.wait_window("About LED Lextrel")
    time.sleep(0.3)
    keep(d, "about-box")
    d.click_button("OK")
    d.quit(answer="No")

else:
  with GuiDriver(os.path.join(build, "vemt"), screen="1280x1024x24") as d:
    d.start()
    set_params(d, 64, 16, 4, single=True)
    time.sleep(0.5)
    keep(d, "single-colour-palette")
    d.quit(answer="No")
print("screenshots in", out)
