#!/usr/bin/env python3
"""`cmake --install` into a temporary DESTDIR, and the desktop files it puts
there checked with the tools desktops and distributions check them with.

    install_test.py CMAKE BUILD_DIR
"""

import gzip
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

CMAKE, BUILD = sys.argv[1:3]
del sys.argv[1:3]

PREFIX = "usr/local"
APP_ID = "org.zarnek.Zarnek"
ICON_SIZES = [16, 24, 32, 48, 64, 128, 256]
EXPECTED = {
    f"{PREFIX}/bin/zarnek",
    f"{PREFIX}/bin/zarnek-query",
    f"{PREFIX}/share/applications/{APP_ID}.desktop",
    f"{PREFIX}/share/metainfo/{APP_ID}.metainfo.xml",
    f"{PREFIX}/share/icons/hicolor/scalable/apps/{APP_ID}.svg",
    f"{PREFIX}/share/man/man1/zarnek.1.gz",
    f"{PREFIX}/share/man/man1/zarnek-query.1.gz",
} | {f"{PREFIX}/share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png" for s in ICON_SIZES}


def run(*args, **kwargs):
    return subprocess.run(list(args), capture_output=True, text=True, timeout=120, **kwargs)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise AssertionError(f"{path} is not a PNG")
    return struct.unpack(">II", head[16:24])


def pixel_alpha(path, x, y):
    """Alpha of one pixel, 0..1, read by ImageMagick."""
    out = run("convert", path, "-alpha", "extract", "-format", f"%[fx:p{{{x},{y}}}]", "info:")
    if out.returncode != 0:
        raise AssertionError(out.stderr)
    return float(out.stdout)


class Installed(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory(prefix="zarnek-install-")
        cls.root = cls.tmp.name
        env = dict(os.environ, DESTDIR=cls.root)
        done = run(CMAKE, "--install", BUILD, "--prefix", "/" + PREFIX, env=env)
        if done.returncode != 0:
            raise AssertionError("cmake --install failed:\n" + done.stdout + done.stderr)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def path(self, relative):
        return os.path.join(self.root, relative)

    def test_installs_exactly_the_program_files_under_the_prefix(self):
        # Everything lands under DESTDIR + prefix, and no test, benchmark or
        # build tool comes along.
        found = set()
        for folder, _, files in os.walk(self.root):
            for name in files:
                found.add(os.path.relpath(os.path.join(folder, name), self.root))
        self.assertEqual(found, EXPECTED)
        for program in ("zarnek", "zarnek-query"):
            self.assertTrue(os.access(self.path(f"{PREFIX}/bin/{program}"), os.X_OK), program)

    def test_desktop_entry_is_valid_and_names_what_is_installed(self):
        desktop = self.path(f"{PREFIX}/share/applications/{APP_ID}.desktop")
        checked = run("desktop-file-validate", desktop)
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
        # Hints are advice (two main categories put the entry under Games
        # and under Internet, as a network game tool belongs in both);
        # errors and warnings are faults.
        faults = [line for line in (checked.stdout + checked.stderr).splitlines()
                  if "hint:" not in line]
        self.assertEqual(faults, [])
        with open(desktop, encoding="utf-8") as f:
            keys = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        self.assertEqual(keys["Exec"], "zarnek")
        self.assertEqual(keys["Icon"], APP_ID)
        self.assertEqual(keys["Categories"].split(";")[:2], ["Game", "Network"])
        self.assertTrue(keys["Comment"])

    def test_metainfo_is_valid_with_release_and_screenshot(self):
        metainfo = self.path(f"{PREFIX}/share/metainfo/{APP_ID}.metainfo.xml")
        checked = run("appstreamcli", "validate", "--no-net", metainfo)
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
        root = ET.parse(metainfo).getroot()
        self.assertEqual(root.findtext("id"), APP_ID)
        self.assertEqual(root.findtext("launchable"), APP_ID + ".desktop")
        self.assertEqual([r.get("version") for r in root.iter("release")], ["1.98"])
        self.assertTrue(root.findtext("screenshots/screenshot/image", "").startswith("https://"))
        self.assertEqual(sorted(b.text for b in root.iter("binary")), ["zarnek", "zarnek-query"])

    def test_icons_are_the_program_picture_at_every_size(self):
        for size in ICON_SIZES:
            with self.subTest(size=size):
                png = self.path(f"{PREFIX}/share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png")
                self.assertEqual(png_size(png), (size, size))
                # The picture is a round radar: painted in the middle, clear
                # in the corners, whatever the size.
                self.assertGreater(pixel_alpha(png, size // 2, size // 2), 0.9)
                self.assertEqual(pixel_alpha(png, 0, 0), 0.0)
        svg = ET.parse(self.path(f"{PREFIX}/share/icons/hicolor/scalable/apps/{APP_ID}.svg"))
        root = svg.getroot()
        self.assertEqual(root.tag, "{http://www.w3.org/2000/svg}svg")
        self.assertEqual(root.get("viewBox"), "0 0 16 16")
        self.assertEqual((root.get("width"), root.get("height")), ("256", "256"))
        shapes = [e for e in root.iter() if e.tag.rsplit("}", 1)[-1] in ("path", "ellipse", "circle", "polyline")]
        self.assertGreater(len(shapes), 3)

    def man_page(self, name):
        return self.path(f"{PREFIX}/share/man/man1/{name}.1.gz")

    def render(self, page):
        env = dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8", MAN_KEEP_FORMATTING="")
        return run("man", "--warnings", "-E", "UTF-8", "-l", page, env=env)

    def test_manual_pages_render_without_warnings(self):
        for name in ("zarnek", "zarnek-query"):
            with self.subTest(page=name):
                shown = self.render(self.man_page(name))
                self.assertEqual(shown.returncode, 0, shown.stderr)
                self.assertEqual(shown.stderr, "")
                self.assertIn("NAME", shown.stdout)

    def test_query_page_has_the_usual_sections_and_every_option_of_help(self):
        shown = self.render(self.man_page("zarnek-query"))
        text = re.sub(r".\x08", "", shown.stdout)  # overstrike, should a pager format it
        sections = re.findall(r"^([A-Z][A-Z ]+)$", text, re.MULTILINE)
        for section in ("NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "OUTPUT",
                        "EXIT STATUS", "EXAMPLES"):
            self.assertIn(section, sections)
        # The options the installed program lists, each described in OPTIONS.
        helped = run(self.path(f"{PREFIX}/bin/zarnek-query"), "--help")
        self.assertEqual(helped.returncode, 0, helped.stderr)
        options = set(re.findall(r"^\s+(--[a-z-]+)", helped.stdout, re.MULTILINE))
        self.assertIn("--local-port", options)
        described = text.split("\nOPTIONS\n", 1)[1].split("\nOUTPUT\n", 1)[0]
        for option in sorted(options):
            self.assertRegex(described, rf"(?m)^ {{7}}{re.escape(option)}\b", option)

    def test_settings_page_says_where_the_file_lives(self):
        with gzip.open(self.man_page("zarnek"), "rt", encoding="utf-8") as f:
            source = f.read()
        self.assertIn("zarnek.ini", source)
        self.assertIn("~/.config/zarnek/zarnek.ini", source)


if __name__ == "__main__":
    unittest.main(verbosity=2)
