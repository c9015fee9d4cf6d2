#!/usr/bin/env python3
"""Checks the dependency rules of the source tree (see DESIGN.md, Layout).

Prints every break as FILE:LINE: message and exits 1 when there is one.

Rules:
  * folders depend one way: common and ini at the bottom, link above them,
    the subsystems above link, app above the subsystems, ui, cli and sim on
    top; folders on one level may use each other, but not in a cycle;
  * nothing outside src/ui includes anything from src/ui;
  * only src/ui includes Qt Widgets or QCustomPlot headers;
  * only src/link includes the serial port and TCP socket classes (the
    simulated sensor, being the server, uses Qt's network classes itself);
  * only src/publish includes the MQTT client library;
  * the standard-C++ libraries (src/common, src/ini and every *_core target)
    include no Qt header, and no platform header either, except the INI
    store's platform file.

Usage: tools/check_layering.py [ROOT]   (ROOT defaults to the repository)
"""

import glob
import os
import re
import shutil
import subprocess
import sys

LEVELS = {
    "common": 0,
    "ini": 0,
    "link": 1,
    "parameters": 2,
    "measurement": 2,
    "teach": 2,
    "calibration": 2,
    "recorder": 2,
    "scope": 2,
    "assistant": 2,
    "publish": 2,
    "app": 3,
    "ui": 4,
    "cli": 4,
    "sim": 4,
}

# The one file of the INI store that may call the operating system.
PLATFORM_FILES = {"src/ini/ini_platform.cpp"}

LINK_ONLY = {"QSerialPort", "QSerialPortInfo", "QTcpSocket", "QAbstractSocket"}
SIM_MAY_USE = {"QTcpSocket", "QAbstractSocket"}
PUBLISH_ONLY = {"mosquitto.h", "mosquittopp.h", "mqtt_protocol.h"}

# Headers of the operating system rather than of the C++ standard library.
PLATFORM_HEADER = re.compile(
    r"^(unistd|fcntl|dirent|termios|pthread|poll|pwd|grp|dlfcn|netdb|pty|utmp|"
    r"spawn|sched|semaphore|syslog|utime|windows|io|winsock2|ws2tcpip)\.h$"
    r"|^(sys|netinet|arpa|linux|asm)/"
)

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_EXT = (".h", ".hpp", ".cpp", ".cc")


def qt_header_dir():
    for qmake in ("qmake6", "qmake"):
        if shutil.which(qmake):
            try:
                out = subprocess.run(
                    [qmake, "-query", "QT_INSTALL_HEADERS"],
                    capture_output=True, text=True, check=True).stdout.strip()
                if os.path.isdir(os.path.join(out, "QtCore")):
                    return out
            except (OSError, subprocess.CalledProcessError):
                pass
    for candidate in sorted(glob.glob("/usr/include/*/qt6")) + ["/usr/include/qt6"]:
        if os.path.isdir(os.path.join(candidate, "QtCore")):
            return candidate
    return None


def module_headers(qt_dir, module):
    """The header names of one Qt module, as <Name> and <Module/Name> spell them."""
    path = os.path.join(qt_dir, module) if qt_dir else None
    if not path or not os.path.isdir(path):
        return set()
    return set(os.listdir(path))


class Checker:
    def __init__(self, root):
        self.root = root
        self.errors = []
        qt_dir = qt_header_dir()
        if qt_dir is None:
            self.errors.append("tools/check_layering.py:1: Qt headers not found (qmake6 or /usr/include/*/qt6)")
        self.widgets = module_headers(qt_dir, "QtWidgets") | module_headers(qt_dir, "QtPrintSupport")
        self.qt_all = set()
        if qt_dir:
            for module in os.listdir(qt_dir):
                self.qt_all |= module_headers(qt_dir, module)
        self.pure = self.pure_files()
        self.folder_edges = {}

    # ---- which files are standard C++ only ----

    def pure_files(self):
        pure = set()
        for path in glob.glob(os.path.join(self.root, "src", "common", "*")):
            if path.endswith(SOURCE_EXT):
                pure.add(self.rel(path))
        for cmake in glob.glob(os.path.join(self.root, "src", "*", "CMakeLists.txt")):
            folder = os.path.dirname(cmake)
            text = re.sub(r"#[^\n]*", "", open(cmake, encoding="utf-8").read())
            for command, body in re.findall(r"\b(add_library|target_sources)\s*\(([^)]*)\)", text):
                words = body.split()
                if not words:
                    continue
                target = words[0]
                if not (target.endswith("_core") or target == "tavrino_ini"):
                    continue
                for word in words[1:]:
                    if word.endswith(SOURCE_EXT):
                        pure.add(self.rel(os.path.join(folder, word)))
            # A core target must not link Qt either.
            for target, body in re.findall(r"\btarget_link_libraries\s*\(\s*(\S+)([^)]*)\)", text):
                if (target.endswith("_core") or target == "tavrino_ini") and "Qt6::" in body:
                    line = text[: text.find(body)].count("\n") + 1
                    self.error(self.rel(cmake), line, f"{target} is standard C++ but links Qt")
        return pure

    # ---- helpers ----

    def rel(self, path):
        return os.path.relpath(os.path.normpath(path), self.root).replace(os.sep, "/")

    def error(self, path, line, message):
        self.errors.append(f"{path}:{line}: {message}")

    @staticmethod
    def folder_of(rel_path):
        parts = rel_path.split("/")
        if parts[0] == "src" and len(parts) > 2:
            return parts[1]
        return parts[0]

    def sources(self):
        for top in ("src", "sim", "cli"):
            for dirpath, _, files in os.walk(os.path.join(self.root, top)):
                for name in sorted(files):
                    if name.endswith(SOURCE_EXT):
                        yield self.rel(os.path.join(dirpath, name))

    # ---- the rules ----

    def check_file(self, rel_path):
        folder = self.folder_of(rel_path)
        with open(os.path.join(self.root, rel_path), encoding="utf-8", errors="replace") as f:
            lines = f.readlines()
        for number, text in enumerate(lines, start=1):
            m = INCLUDE.match(text)
            if not m:
                continue
            quoted = m.group(1) == '"'
            header = m.group(2)
            if quoted:
                self.check_project_include(rel_path, number, folder, header)
            else:
                self.check_system_include(rel_path, number, folder, header)

    def check_project_include(self, rel_path, number, folder, header):
        if "/" not in header:
            return  # beside the including file
        target = header.split("/")[0]
        if target not in LEVELS:
            return
        if target == "ui" and folder != "ui":
            self.error(rel_path, number, f'"{header}": only src/ui includes src/ui')
            return
        if target == folder:
            return
        own = LEVELS.get(folder)
        if own is None:
            return
        if LEVELS[target] > own:
            self.error(rel_path, number, f'"{header}": {folder} must not depend on {target} (it is above)')
        elif LEVELS[target] == own:
            self.folder_edges.setdefault(folder, {}).setdefault(target, (rel_path, number))

    def check_system_include(self, rel_path, number, folder, header):
        name = header.split("/")[-1]
        module = header.split("/")[0] if "/" in header else None
        is_qt = name in self.qt_all or header.startswith("Qt") or (module or "").startswith("Qt")
        if rel_path in self.pure:
            if is_qt:
                self.error(rel_path, number, f"<{header}>: standard-C++ library includes Qt")
            elif PLATFORM_HEADER.search(header) and rel_path not in PLATFORM_FILES:
                self.error(rel_path, number, f"<{header}>: platform header outside the platform file")
        elif PLATFORM_HEADER.search(header) and folder == "ini" and rel_path not in PLATFORM_FILES:
            self.error(rel_path, number, f"<{header}>: platform header outside the platform file")
        widgets = module in ("QtWidgets", "QtPrintSupport") or (module is None and name in self.widgets)
        if (widgets or name.lower().startswith("qcustomplot")) and folder != "ui":
            self.error(rel_path, number, f"<{header}>: only src/ui includes widget or plot headers")
        if name in LINK_ONLY or module == "QtSerialPort":
            allowed = folder == "link" or (folder == "sim" and name in SIM_MAY_USE)
            if not allowed:
                self.error(rel_path, number, f"<{header}>: only src/link uses the serial port and socket classes")
        if name in PUBLISH_ONLY and folder != "publish":
            self.error(rel_path, number, f"<{header}>: only src/publish talks to the MQTT broker")

    def check_cycles(self):
        # Folders on one level may use each other, one way only.
        def reach(start, goal, seen):
            for nxt in self.folder_edges.get(start, {}):
                if nxt == goal:
                    return True
                if nxt not in seen:
                    seen.add(nxt)
                    if reach(nxt, goal, seen):
                        return True
            return False

        for folder in sorted(self.folder_edges):
            for target, (path, line) in sorted(self.folder_edges[folder].items()):
                if reach(target, folder, {target}):
                    self.error(path, line, f"{folder} -> {target} closes a cycle between folders")

    def run(self):
        for rel_path in self.sources():
            self.check_file(rel_path)
        self.check_cycles()
        return self.errors


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    errors = Checker(root).run()
    for e in errors:
        print(e, file=sys.stderr)
    if errors:
        print(f"layering check: {len(errors)} break(s) of the dependency rules", file=sys.stderr)
        return 1
    print("layering check: ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
