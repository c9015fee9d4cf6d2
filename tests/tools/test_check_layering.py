#!/usr/bin/env python3
"""The layering check on a small tree: one include per rule that breaks it,
and the same includes where they are allowed."""

import os
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "check_layering.py")

CORE_CMAKE = "add_library(tavrino_link_core STATIC frame.cpp)\nadd_library(tavrino_link STATIC socket.cpp)\n"


def build_tree(root, files):
    for path, text in files.items():
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as f:
            f.write(text)


def run_check(files):
    with tempfile.TemporaryDirectory() as root:
        build_tree(root, files)
        done = subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)
        breaks = [line.split(": ")[0] for line in done.stderr.splitlines() if not line.startswith("layering")]
        return done.returncode, sorted(breaks)


class LayeringCheck(unittest.TestCase):
    def test_allowed_includes_pass(self):
        code, breaks = run_check({
            "src/link/CMakeLists.txt": CORE_CMAKE,
            "src/link/frame.cpp": '#include "common/ids.h"\n#include <vector>\n',
            "src/link/socket.cpp": "#include <QTcpSocket>\n#include <QSerialPortInfo>\n",
            "src/ini/ini_platform.cpp": "#include <unistd.h>\n",
            "src/app/session.cpp": '#include "link/frame.h"\n#include <QObject>\n',
            "src/ui/main_window.cpp": '#include "app/session.h"\n#include <QWidget>\n#include <qcustomplot.h>\n',
            "sim/server.cpp": '#include "link/frame.h"\n#include <QTcpSocket>\n',
            "src/publish/outlet.cpp": '#include "measurement/record.h"\n#include <mosquitto.h>\n',
            "src/app/publishing.cpp": '#include "publish/outlet.h"\n',
            "cli/publish_commands.cpp": '#include "publish/topics.h"\n',
        })
        self.assertEqual((code, breaks), (0, []))

    def test_every_break_is_named_by_file_and_line(self):
        code, breaks = run_check({
            "src/link/CMakeLists.txt": CORE_CMAKE,
            "src/link/frame.cpp": "#include <vector>\n#include <QString>\n",        # Qt in a core
            "src/link/socket.cpp": '#include "app/session.h"\n',                    # link above app
            "src/ini/ini_text.cpp": "#include <sys/stat.h>\n",                      # outside the platform file
            "src/app/session.cpp": "#include <QSerialPort>\n",                      # serial port outside link
            "src/app/dialog.cpp": "\n\n#include <QtWidgets/QDialog>\n",             # widgets outside ui
            "cli/main.cpp": '#include "ui/texts.h"\n',                              # ui from outside
            "src/teach/a.cpp": '#include "parameters/b.h"\n',                       # a cycle
            "src/parameters/b.cpp": '#include "teach/a.h"\n',
            "src/link/mqtt.cpp": '#include "publish/topics.h"\n',                  # link below publish
            "cli/broker.cpp": "#include <mosquitto.h>\n",                          # MQTT outside publish
        })
        self.assertEqual(code, 1)
        self.assertEqual(breaks, sorted([
            "src/link/frame.cpp:2", "src/link/socket.cpp:1", "src/ini/ini_text.cpp:1",
            "src/app/session.cpp:1", "src/app/dialog.cpp:3", "cli/main.cpp:1",
            "src/parameters/b.cpp:1", "src/teach/a.cpp:1", "src/link/mqtt.cpp:1", "cli/broker.cpp:1",
        ]))


if __name__ == "__main__":
    unittest.main()
