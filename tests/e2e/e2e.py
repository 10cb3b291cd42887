#!/usr/bin/env python3
"""End-to-end test on a real X server: a pupil's and a teacher's session,
done only with mouse clicks and key presses, then the files checked with
Python's own cp932 codec and configparser.

    python3 tests/e2e/e2e.py <quorvel binary> <DATA folder> <shots folder> [runs]
"""
import configparser
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

TIMEOUT = 20.0


class Failure(Exception):
    pass


def run(cmd, env, check=True):
    r = subprocess.run(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if check and r.returncode != 0:
        raise Failure(f"{cmd}: {r.stderr.strip()}")
    return r.stdout


def poll(what, probe, timeout=TIMEOUT):
    end = time.time() + timeout
    while time.time() < end:
        value = probe()
        if value:
            return value
        time.sleep(0.05)
    raise Failure(f"timed out waiting for {what}")


class Session:
    def __init__(self, env, shots):
        self.env = env
        self.shots = shots
        self.step = 0

    def windows(self, name):
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=self.env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        return r.stdout.split()

    def wait_window(self, name):
        return poll(f"window {name!r}", lambda: self.windows(name))

    def wait_gone(self, name):
        poll(f"window {name!r} to close", lambda: not self.windows(name))

    def click(self, x, y, button=1):
        run(["xdotool", "mousemove", str(x), str(y)], self.env)
        time.sleep(0.08)
        run(["xdotool", "click", str(button)], self.env)
        time.sleep(0.08)

    def move(self, x, y):
        run(["xdotool", "mousemove", str(x), str(y)], self.env)
        time.sleep(0.06)

    def key(self, *keys):
        run(["xdotool", "key", *keys], self.env)
        time.sleep(0.1)

    def type(self, text):
        run(["xdotool", "type", "--delay", "20", text], self.env)

    def shot(self, name):
        self.step += 1
        path = os.path.join(self.shots, f"{self.step:02d}_{name}.png")
        run(["import", "-window", "root", path], self.env)

    def pixel(self, x, y):
        out = run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"], self.env)
        m = re.search(r"#([0-9A-Fa-f]{6})", out)
        return m.group(1).upper() if m else ""


def main_plane_origin(s):
    # The plane picture sits at (430, 42) in the window's client area, 544
    # pixels square; its top is found below the menu bar by the y axis.
    def top():
        for y in range(30, 90):
            if s.pixel(702, y) == "808080" and s.pixel(702, y + 40) == "808080":
                return y
        return None
    y0 = poll("the plane", top)
    return 430 + 272, y0 + 272, y0 - 42  # origin x, origin y, menu bar height


def start_xvfb():
    """An X server on a display it chose itself as free; its number. It must
    not reset when its last client (a probe of ours) disconnects: during a
    reset the program's connection would be refused."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    if not number:
        xvfb.kill()
        raise Failure("Xvfb did not start")
    return xvfb, f":{number}"


def stop(process):
    """Ends a process politely first, so an X server removes its lock file."""
    if process and process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def practise_first_unit(s, tool):
    """Practises the first unit of the catalogue to the end, with one wrong
    answer and one hint: the record is "×△○○○○"."""
    s.click(*tool(4 + 3 * 45))
    s.wait_window("練習する単元名を開く")
    s.click(60, 47)
    s.click(60, 400)
    s.wait_window("練習　")
    px, py = 350 + 272, 79 + 272  # the practice plane's origin

    def answer(vx, vy, qx, qy):
        s.click(px + 16 * vx, py - 16 * vy)
        s.move(px + 16 * qx, py - 16 * qy + 16)
        s.move(px + 16 * qx, py - 16 * qy)
        s.click(px + 16 * qx, py - 16 * qy)

    def next_exercise():
        s.wait_window("正解")
        s.click(20 + 80 + 52, 481 + 64 + 16)
        s.wait_gone("正解")

    answer(0, 0, 1, 2)  # y = x^2 answered wrong first
    s.wait_window("誤答")
    s.shot("wrong_answer")
    s.click(20 + 128 + 48, 481 + 56 + 16)  # 訂正する
    s.wait_gone("誤答")
    answer(0, 0, 1, 1)
    next_exercise()
    s.click(200 + 40, 368 + 16)  # ヒント
    answer(0, 0, 1, 2)  # y = 2x^2 after the hint
    s.shot("after_hint")
    next_exercise()
    for q in [(2, 2), (1, -1), (2, -2)]:
        answer(0, 0, *q)
        next_exercise()
    answer(0, 0, 1, 3)
    s.wait_window("正解")
    s.click(20 + 80 + 52, 481 + 64 + 16)
    s.wait_window("練習終わり")
    s.shot("end_of_run")
    s.click(20 + 256 + 56, 481 + 56 + 16)  # 終了
    s.wait_gone("練習　")


def one_session(binary, data, shots):
    work = tempfile.mkdtemp(prefix="quorvel-e2e-")
    shutil.copytree(data, os.path.join(work, "DATA"))
    xvfb, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=os.path.join(work, "config"),
               HOME=work)
    env.pop("QT_QPA_PLATFORM", None)
    app = None
    log = open(os.path.join(shots, "program.log"), "w")
    try:
        s = Session(env, shots)
        poll("the X server", lambda: subprocess.run(["xdotool", "getmouselocation"], env=env,
                                                     stdout=subprocess.DEVNULL,
                                                     stderr=subprocess.DEVNULL).returncode == 0)
        app = subprocess.Popen([binary], cwd=work, env=env, stdout=log, stderr=log)
        try:
            s.wait_window("Quorvel 放物線学習ツール")
        except Failure:
            state = "still running" if app.poll() is None else f"ended with {app.returncode}"
            raise Failure(f"the main window did not show on {display}; the program {state}; "
                          f"its output is in {log.name}")
        ox, oy, mb = main_plane_origin(s)

        def at(x, y):
            return ox + 16 * x, oy - 16 * y

        def tool(left):  # a tool-bar button by its left edge
            return left + 14, mb + 19

        s.shot("start")
        # A whole parabola y = x^2.
        s.click(*at(0, 0)); s.move(*at(1, 0)); s.move(*at(1, 1)); s.click(*at(1, 1))
        # A segment y = 1/4(x-2)^2-3 for -1 <= x <= 5, clicked right to left.
        s.click(*tool(362))
        s.click(*at(2, -3)); s.move(*at(4, -2)); s.click(*at(4, -2)); s.click(*at(5, 0)); s.click(*at(-1, 0))
        # A right half line y = -(x+5)^2+4 from x = -6.
        s.click(*tool(399))
        s.click(*at(-5, 4)); s.move(*at(-4, 3)); s.click(*at(-4, 3)); s.click(*at(-6, 0))
        s.shot("three_parabolas")

        # Move the half line one to the left, delete y = x^2, undo the three
        # changes and redo the last of them: the half line is back as drawn.
        def magenta_at(x, y):
            return s.pixel(*at(x, y)) == "FF00FF"
        s.click(430 + 256, mb + 603 + 38 + 12)  # the ← arrow
        s.shot("moved")
        poll("the moved half line", lambda: magenta_at(-7, 3))
        s.click(60, mb + 107 + 9)  # the first entry of the formula list
        s.click(*tool(4 + 5 * 45))  # 訂正
        s.shot("deleted")
        for n in (1, 2, 3):
            s.key("ctrl+z")
            time.sleep(0.3)
            s.shot(f"undo{n}")
        poll("the half line undone", lambda: not magenta_at(-6, 3))
        s.key("ctrl+y")
        poll("the half line redone", lambda: magenta_at(-6, 3) and not magenta_at(-7, 3))
        s.shot("redo")

        # Save as, under the title of a sample unit chosen from the list.
        s.click(28, 8)
        time.sleep(0.4)
        s.key("a")
        s.wait_window("新規入力")
        # The dialog is centred on the 1024 x 740 main window; its first title.
        s.click((1024 - 505) // 2 + 288 + 40, (740 - 400) // 2 + 56 + 9)
        s.shot("new_unit_dialog")
        s.key("Return")
        s.wait_window("確認")  # the title is in use already
        s.key("Return")
        poll("the save dialog", lambda: s.windows("Save") or s.windows("保存") or s.windows("名前"))
        time.sleep(0.3)
        s.key("ctrl+a")
        s.type(os.path.join(work, "DATA", "e2e_unit.prb"))
        s.key("Return")
        s.wait_window("Quorvel 放物線／学習ツール")  # the box with the path
        s.shot("saved")
        s.key("Return")
        unit_file = os.path.join(work, "DATA", "e2e_unit.prb")
        poll("the unit file", lambda: os.path.exists(unit_file))

        # Clear the plane, then open the unit again by its title.
        s.click(*tool(4 + 6 * 45))
        s.wait_window("確認")
        s.key("Return")
        s.click(*tool(4))
        s.wait_window("単元名で開く")
        s.shot("open_by_title")
        s.click(60, 40 + 7 + 4 * 13)  # fifth title: the file e2e_unit.prb
        s.click(60, 400)
        s.wait_gone("単元名で開く")
        s.shot("reopened")

        practise_first_unit(s, tool)
        record_file = os.path.join(work, "Record.ini")
        poll("the record file", lambda: os.path.exists(record_file))

        # The record window.
        s.click(*tool(4 + 4 * 45))
        s.wait_window("実行記録")
        s.click(16 + 60, 32 + 8)
        s.shot("records")
        s.click(24 + 40, 400 + 20)
        s.wait_gone("実行記録")
        return work, unit_file, s, app, xvfb
    except Exception:
        stop(app)
        stop(xvfb)
        raise
    finally:
        log.close()


EXPECTED_UNIT = [
    "y=ax^2のグラフ",
    "16711680,16", "y = x^2", "0,0", "1,1", "-99,99",
    "255,17", "y = 1/4(x-2)^2-3", "2,-3", "4,-2", "-1,5",
    "16711935,18", "y = -(x+5)^2+4", "-5,4", "-4,3", "-6,99",
    "",
]


def check_files(work, unit_file):
    raw = open(unit_file, "rb").read()
    if not raw.endswith(b"\r\n") or b"\n" in raw.replace(b"\r\n", b""):
        raise Failure("the unit file does not end every line with CR LF")
    lines = raw.decode("cp932").split("\r\n")
    if lines != EXPECTED_UNIT:
        raise Failure(f"unit file: {lines!r}")
    ini = configparser.ConfigParser()
    ini.read_string(open(os.path.join(work, "Record.ini"), "rb").read().decode("cp932"))
    section = "y=ax^2のグラフ"
    if ini.sections() != [section] or list(ini[section].keys()) != ["1"]:
        raise Failure(f"Record.ini: {ini.sections()!r}")
    value = ini[section]["1"]
    if not re.fullmatch(r"\d{4}年\d\d月\d\d日 \d\d:\d\d ×△○○○○ \d\d分\d\d秒", value):
        raise Failure(f"Record.ini value: {value!r}")


def main():
    binary, data, shots = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 1
    for n in range(runs):
        folder = os.path.join(shots, f"run{n + 1:02d}")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        work, unit_file, s, app, xvfb = one_session(binary, data, folder)
        try:
            check_files(work, unit_file)
        finally:
            stop(app)
            stop(xvfb)
            shutil.rmtree(work, ignore_errors=True)
        print(f"run {n + 1}: passed")
    print(f"{runs} passed, 0 failed")


if __name__ == "__main__":
    main()
