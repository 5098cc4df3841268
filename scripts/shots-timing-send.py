#!/usr/bin/env python3
"""Screenshots of timed sending, driven through the editor as a user would: the
"Timing send..." dialog with three entries, and the timing window mid-animation.

    python3 scripts/shots-timing-send.py BUILD/vemt OUT_DIR
"""
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared", "guidriver"))
sys.path.insert(0, "/work/shared/guidriver")
from guidriver import GuiDriver  # noqa: E402

program, out_dir = sys.argv[1], sys.argv[2]
os.makedirs(out_dir, exist_ok=True)
entries = [("3,4", "/srv/signs/breakfast menu.KVX", "7", "5"),
           ("0", "/srv/signs/lunch.KVX", "12", "15"),
           ("7", "/srv/signs/evening specials.KVX", "17", "30")]

with GuiDriver(program) as g:
    g.start()
    g.wait_window("Set parameter of LED Lextrel")
    g.click_button("Set")
    g.wait_window(__import__("re").compile(r"LED Lextrel Software|^Vemt\b"))
    g.click_menu(["Send(&S)", "Timing send..."])
    dlg = g.wait_window("Timing send...")
    for address, path, hour, minute in entries:
        g.click_button("Address of Moving-Sign...", window=dlg)
        confirm = g.wait_window("Please confirm")
        field = confirm.find("text")
        g.fill_field(field, address)
        g.click_button("Ok", window=confirm)
        g.wait_window_gone("Please confirm")
        dlg = g.wait_window("Timing send...")
        g.fill_field(g.find("text", "Send File Name", window=dlg), path)
        g.fill_field(g.find("text", "Hour", window=dlg), hour)
        g.fill_field(g.find("text", "Minute", window=dlg), minute)
        g.click_button("Add", window=dlg)
    time.sleep(0.3)
    shot = g.screenshot("timing-dialog-three-entries")
    shutil.copy(shot, os.path.join(out_dir, "timing-dialog-three-entries.png"))
    g.click_button("Start Timing", window=dlg)
    g.wait_window("Timing Send(F12 to exit)", roles=("filler", "frame", "window"))
    time.sleep(2.5)  # about 50 steps of the animation
    shot = g.screenshot("timing-window")
    shutil.copy(shot, os.path.join(out_dir, "timing-window.png"))
    g.key("F12")
    g.wait_for("the timing window to go", lambda: g.find("filler", "Timing Send(F12 to exit)") is None, 15)
    print("exit status", g.quit())
