#!/usr/bin/env python3
"""The installed program: installs the build into a temporary root, checks
the installed files with the freedesktop validators, starts the installed
binary from an empty home folder under Xvfb (the per-user data folder gets
the sample units, a finished practice run writes Record.ini there, a unit
named on the command line is open at start), and makes the Debian package.

    python3 tests/install/install.py <build folder> <version> <shots folder>
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from e2e import Failure, Session, main_plane_origin, poll, practise_first_unit, start_xvfb, stop  # noqa: E402

APP_ID = "jp.quorvel.Quorvel"
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]


def check(cmd, **kw):
    r = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kw)
    if r.returncode != 0:
        raise Failure(f"{' '.join(cmd)} exited {r.returncode}:\n{r.stdout}")
    return r.stdout


def installed_files():
    files = ["usr/bin/quorvel", "usr/lib/quorvel/quorvel_printing.so", "usr/share/quorvel/Marend.hlp",
             f"usr/share/applications/{APP_ID}.desktop", f"usr/share/metainfo/{APP_ID}.metainfo.xml",
             f"usr/share/mime/packages/{APP_ID}.xml", "usr/share/icons/hicolor/scalable/apps/quorvel.svg"]
    files += [f"usr/share/icons/hicolor/{n}x{n}/apps/quorvel.png" for n in ICON_SIZES]
    return files


def samples(data):
    return sorted(f for f in os.listdir(data) if f.endswith((".prb", ".prx")))


def install(build, root):
    env = dict(os.environ, DESTDIR=root)
    check(["cmake", "--install", build, "--prefix", "/usr"], env=env)
    for f in installed_files():
        if not os.path.isfile(os.path.join(root, f)):
            raise Failure(f"not installed: /{f}")
    if not samples(os.path.join(root, "usr/share/quorvel/DATA")):
        raise Failure("no sample units installed")
    check(["desktop-file-validate", os.path.join(root, f"usr/share/applications/{APP_ID}.desktop")])
    check(["appstreamcli", "validate", "--no-net", os.path.join(root, f"usr/share/metainfo/{APP_ID}.metainfo.xml")])


def command_line(binary, version):
    out = check([binary, "--version"])
    if out != f"quorvel {version}\n":
        raise Failure(f"--version printed {out!r}")
    r = subprocess.run([binary, "--no-such-option"], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if r.returncode != 2 or "Usage: quorvel" not in r.stderr:
        raise Failure(f"a bad option gave {r.returncode}: {r.stderr!r}")


def from_empty_home(binary, installed_data, shots):
    home = tempfile.mkdtemp(prefix="quorvel-home-")
    env = dict(os.environ, HOME=home, XDG_DATA_HOME=os.path.join(home, ".local", "share"),
               XDG_CONFIG_HOME=os.path.join(home, ".config"))
    env.pop("QT_QPA_PLATFORM", None)
    data = os.path.join(home, ".local", "share", "Quorvel", "Marendo")
    xvfb, display = start_xvfb()
    env["DISPLAY"] = display
    app = None
    log = open(os.path.join(shots, "program.log"), "w")
    try:
        s = Session(env, shots)
        app = subprocess.Popen([binary], cwd=home, env=env, stdout=log, stderr=log)
        s.wait_window("Quorvel 放物線学習ツール")
        if samples(os.path.join(data, "DATA")) != samples(installed_data):
            raise Failure(f"the per-user DATA/ holds {os.listdir(data)!r}")
        _, _, mb = main_plane_origin(s)
        practise_first_unit(s, lambda left: (left + 14, mb + 19))
        poll("Record.ini in the data folder", lambda: os.path.exists(os.path.join(data, "Record.ini")))
        if os.path.exists(os.path.join(home, "Record.ini")):
            raise Failure("Record.ini was written into the home folder")
        s.shot("installed_after_practice")
        # The print dialog comes from the module installed beside the program.
        s.click(28, 8)  # ﾌｧｲﾙ
        s.click(46, 135)  # 印刷
        s.wait_window("グラフの印刷")
        s.shot("installed_print_dialog")
        s.key("Escape")
        s.wait_gone("グラフの印刷")
        stop(app)

        # A unit named on the command line is open at start.
        unit = os.path.join(data, "DATA", samples(installed_data)[1])
        with open(unit, "rb") as f:
            title = f.readline().decode("cp932").rstrip("\r\n")
        app = subprocess.Popen([binary, unit], cwd=home, env=env, stdout=log, stderr=log)
        s.wait_window(f" - {title}  {unit}")
        s.shot("installed_unit_from_command_line")
    finally:
        stop(app)
        stop(xvfb)
        log.close()
        shutil.rmtree(home, ignore_errors=True)


def package(build, version, out):
    check(["cpack", "-G", "DEB", "-B", out, "--config", os.path.join(build, "CPackConfig.cmake")])
    deb = os.path.join(out, f"quorvel_{version}_amd64.deb")
    if not os.path.isfile(deb):
        raise Failure(f"no {deb}: {os.listdir(out)!r}")
    info = check(["dpkg-deb", "--field", deb, "Depends"])
    for dep in ["libc6", "libqt6widgets6", "libqt6printsupport6", "fonts-ipafont-gothic", "fonts-urw-base35",
                "qt6-translations-l10n"]:
        if dep not in info:
            raise Failure(f"Depends lacks {dep}: {info!r}")
    contents = check(["dpkg-deb", "--contents", deb])
    for f in installed_files():
        if f"./{f}" not in contents:
            raise Failure(f"the package lacks /{f}")


def main():
    build, version, shots = sys.argv[1:4]
    shutil.rmtree(shots, ignore_errors=True)
    os.makedirs(shots)
    work = tempfile.mkdtemp(prefix="quorvel-install-")
    try:
        root = os.path.join(work, "root")
        install(build, root)
        binary = os.path.join(root, "usr", "bin", "quorvel")
        command_line(binary, version)
        from_empty_home(binary, os.path.join(root, "usr/share/quorvel/DATA"), shots)
        package(build, version, os.path.join(work, "package"))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
