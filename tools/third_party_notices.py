#!/usr/bin/env python3
"""Writes THIRD-PARTY-NOTICES.txt and dist/debian/copyright from Debian's own
copyright files (/usr/share/doc/<package>/copyright, machine-readable) and
licence texts (/usr/share/common-licenses) on a Debian 12 machine with the
build's packages installed, so that the notices quote the texts of the very
sources the packages were built from.

    tools/third_party_notices.py            writes both files
    tools/third_party_notices.py --check    fails when they differ from what it would write
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
DOC = pathlib.Path("/usr/share/doc")
COMMON = pathlib.Path("/usr/share/common-licenses")
NOTICES = ROOT / "THIRD-PARTY-NOTICES.txt"
DEB_COPYRIGHT = ROOT / "dist" / "debian" / "copyright"

WIN = "Windows archive and installer"
DEB = "Debian package"

# Qt's own copies of other libraries that the Windows Qt build compiles in
# (its bundled FreeType, HarfBuzz, libjpeg, libpng, PCRE2, ...).
QT_BUNDLED = ("double-conversion", "easing", "harfbuzz-ng", "freetype", "libjpeg/src", "libpng", "md4c",
              "pcre2", "rfc6234", "sha3", "tinycbor", "icc")


def paragraphs(package):
    text = (DOC / package / "copyright").read_text(encoding="utf-8")
    result = []
    for block in re.split(r"\n\s*\n", text):
        fields, key = {}, None
        for line in block.splitlines():
            if line.startswith((" ", "\t")) and key:
                fields[key].append(line)
            elif ":" in line:
                key, value = line.split(":", 1)
                fields[key] = [value.strip()]
        if fields:
            result.append(fields)
    return result


def plain(lines):
    """A field's continuation lines as text: one space off, "." an empty line."""
    out = []
    for line in lines:
        line = line[1:] if line.startswith(" ") else line.lstrip("\t")
        out.append("" if line.strip() == "." else line.rstrip())
    return "\n".join(out).strip("\n")


def licence_names(expression):
    return [n for n in re.split(r"\s+(?:or|and)\s+|[(),]", expression) if n.strip()]


def licence_text(package, name):
    for p in paragraphs(package):
        if "Files" not in p and "License" in p and p["License"][0] == name and len(p["License"]) > 1:
            return plain(p["License"][1:])
    for p in paragraphs(package):
        if "License" in p and p["License"][0] == name and len(p["License"]) > 1:
            return plain(p["License"][1:])
    return None


def files_of(package, prefix):
    """The Files paragraphs under `prefix` (tests left out: they are not built); for "*" the
    paragraph of all files, else the first."""
    found = [p for p in paragraphs(package) if "Files" in p]
    if prefix == "*":
        return [p for p in found if p["Files"][0] == "*"][:1] or found[:1]
    return [p for p in found if p["Files"][0].startswith(prefix) and "/tests" not in p["Files"][0]]


def copyright_of(p):
    lines = [p["Copyright"][0]] + [l.strip() for l in p["Copyright"][1:]]
    return "\n".join("  " + l for l in lines if l)


def common(name):
    return (COMMON / name).read_text(encoding="utf-8").strip("\n")


class Component:
    def __init__(self, title, where, package, prefix="*", names=None, note="", extra="", only=None):
        self.title, self.where, self.package, self.prefix, self.only = title, where, package, prefix, only
        self.names, self.note, self.extra = names, note, extra

    def render(self):
        out = [self.title, "=" * len(self.title), "", "In: " + self.where]
        if self.note:
            out += ["", self.note]
        paras = files_of(self.package, self.prefix) if self.package else []
        if self.only:
            paras = [p for p in paras if any(p["Files"][0].startswith(self.prefix + o + "/") for o in self.only)]
        names, shown = [], []
        for p in paras[:1] if self.prefix == "*" else paras:
            if self.prefix != "*":
                out += ["", "Files: " + " ".join(l.strip() for l in [p["Files"][0]] + p["Files"][1:])]
            out += ["", "Copyright:", copyright_of(p), "", "Licence: " + p["License"][0]]
            inline = plain(p["License"][1:]) if len(p["License"]) > 1 else ""
            if inline:
                out += ["", inline]
                shown.append(p["License"][0])
            names += [n for n in licence_names(p["License"][0]) if n not in names]
        for n in self.names or names:
            if n in shown or n in ("LGPL-3", "GPL-2", "GPL-2+", "GPL-3", "Apache-2.0"):
                continue  # full texts at the end
            text = licence_text(self.package, n)
            if text:
                out += ["", "--- " + n + " ---", "", text]
        if self.extra:
            out += ["", self.extra]
        return "\n".join(out)


COMPONENTS = [
    Component(
        "Qt 6 (qtbase 6.4.2)", WIN + " (Qt6Core, Qt6Gui, Qt6Widgets, Qt6PrintSupport and the plugins); "
        "the " + DEB + " uses Debian's Qt packages", "libqt6core6", prefix="\x00",
        note="Copyright (C) The Qt Company Ltd. and other contributors.\n"
        "Qt is used under the GNU Lesser General Public License version 3 (its text is at the end of\n"
        "this file, with the GNU General Public License version 3 that it refers to).  The Qt DLLs are\n"
        "unmodified and linked dynamically: they may be replaced with a compatible build of your own.\n"
        "The Windows DLLs were built from Debian's source package qt6-base 6.4.2+dfsg-10; its source\n"
        "is at https://sources.debian.org/src/qt6-base/6.4.2+dfsg-10/ (apt-get source qt6-base on\n"
        "Debian 12) and Qt's own at https://download.qt.io/archive/qt/6.4/6.4.2/submodules/\n"
        "(qtbase-everywhere-src-6.4.2.tar.xz).  The Russian texts of Qt's dialogs\n"
        "(translations/qtbase_ru.qm) are Debian's qt6-translations-l10n, under the same licence."),
    Component(
        "Libraries that the Windows Qt DLLs contain", WIN, "libqt6core6", prefix="src/3rdparty/", only=QT_BUNDLED,
        note="Qt compiles its own copies of these into Qt6Core.dll, Qt6Gui.dll and its image plugins."),
    Component("libjpeg-turbo", WIN + "; " + DEB + " (through Debian's libjpeg62-turbo)", "libjpeg62-turbo",
              names=["BSD-BY-LC-NE", "BSD-3-clause", "Zlib"],
              note="This software is based in part on the work of the Independent JPEG Group."),
    Component("PROJ", WIN + " (compiled into tellurin-cli.exe and tellurin.exe); " + DEB +
              " (through Debian's libproj25)", "libproj25"),
    Component("zlib", WIN + " (compiled in); " + DEB + " (through Debian's zlib1g)", "zlib1g"),
    Component("bzip2", WIN + " (compiled in); " + DEB + " (through Debian's libbz2-1.0)", "libbz2-1.0"),
    Component("Expat", WIN + " (compiled in); " + DEB + " (through Debian's libexpat1)", "libexpat1"),
    Component("SQLite", WIN + " (compiled in, for PROJ); " + DEB + " (through Debian's libsqlite3-0)", "libsqlite3-0",
              note="SQLite is in the public domain."),
    Component("libosmium", WIN + "; " + DEB + " (compiled into both programs: the OpenStreetMap import)",
              "libosmium2-dev"),
    Component("protozero", WIN + "; " + DEB + " (compiled into both programs: the OpenStreetMap import)",
              "libprotozero-dev"),
    Component("libdeflate", DEB + " (through Debian's libdeflate0: the OpenStreetMap import inflates PBF blocks "
              "with it)", "libdeflate0"),
    Component("DejaVu fonts", WIN + " (fonts/DejaVu*.ttf); the " + DEB + " recommends fonts-dejavu-core",
              "fonts-dejavu-core"),
    Component("MinGW-w64 runtime: winpthreads", WIN + " (libwinpthread-1.dll)", "mingw-w64-common",
              prefix="mingw-w64-libraries/winpthreads/", names=["expat", "BSD-3-clause-Lockless"]),
    Component("GCC runtime libraries", WIN + " (libstdc++-6.dll, libgcc_s_seh-1.dll)", None,
              note="Copyright (C) Free Software Foundation, Inc.\n"
              "Licensed under the GNU General Public License version 3 with the GCC Runtime Library\n"
              "Exception, version 3.1, which permits their use in programs of any licence; the source is\n"
              "Debian's gcc-mingw-w64 source package (https://sources.debian.org/src/gcc-mingw-w64/)."),
]

OSM = """OpenStreetMap data
==================

Cities added with «Добавить город из OpenStreetMap…» or tellurin-cli import-osm are made from
OpenStreetMap data: © OpenStreetMap contributors, available under the Open Database License
(ODbL) 1.0, https://www.openstreetmap.org/copyright.  A map or picture made from such a city
and shown to others must say so, for example "© OpenStreetMap contributors"."""

HEADER = """Third-party software and data in Tellurin
=========================================

Tellurin itself is under the MIT licence (LICENSE).  Its packages contain or use the
software below, each under its own licence; "In:" says which package carries it.  The
texts are those of Debian's copyright files for the sources the packages are built from.
The demo cities are Tellurin's own.
"""


def notices():
    parts = [HEADER] + [c.render() for c in COMPONENTS] + [OSM]
    for name, title in (("LGPL-3", "GNU Lesser General Public License, version 3"),
                        ("GPL-3", "GNU General Public License, version 3"),
                        ("Apache-2.0", "Apache License, version 2.0 (protozero, PROJ)")):
        parts.append(title + "\n" + "=" * len(title) + "\n\n" + common(name))
    return "\n\n\n".join(p.strip("\n") for p in parts) + "\n"


def debian_field_text(text):
    return "\n".join(" " + l if l.strip() else " ." for l in text.splitlines())


def deb_copyright():
    mit = (ROOT / "LICENSE").read_text(encoding="utf-8")
    holder = re.search(r"Copyright \(c\) (.+)", mit).group(1)
    mit_body = mit.split("\n\n", 1)[1].strip("\n")
    osmium = files_of("libosmium2-dev", "*")[0]
    protozero = files_of("libprotozero-dev", "*")[0]
    out = [
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
        "Upstream-Name: Tellurin\n"
        "Upstream-Contact: Tellurin developers <developers@tellurin.example>\n"
        "Comment: The programs contain the header-only libraries libosmium and protozero\n"
        " (below).  Every third-party notice, with the OpenStreetMap attribution for\n"
        " imported cities, is in /usr/share/doc/tellurin/THIRD-PARTY-NOTICES.txt.",
        "Files: *\nCopyright: " + holder + "\nLicense: Expat",
        "Files: osmium/*\nCopyright: " + copyright_of(osmium).strip() + "\nLicense: BSL-1.0\n"
        "Comment: libosmium, compiled into tellurin and tellurin-cli",
        "Files: protozero/*\nCopyright: " + copyright_of(protozero).strip() + "\nLicense: BSD-2-Clause and Apache-2.0\n"
        "Comment: protozero, compiled into tellurin and tellurin-cli",
        "License: Expat\n" + debian_field_text(mit_body),
    ]
    for name in ("BSL-1.0", "BSD-2-Clause"):
        out.append("License: " + name + "\n" + debian_field_text(licence_text("libprotozero-dev", name)))
    out.append("License: Apache-2.0\n On Debian systems the full text of the Apache License 2.0 is in\n"
               " /usr/share/common-licenses/Apache-2.0.")
    return "\n\n".join(out) + "\n"


def main():
    outputs = {NOTICES: notices(), DEB_COPYRIGHT: deb_copyright()}
    if "--check" in sys.argv[1:]:
        stale = [str(p.relative_to(ROOT)) for p, text in outputs.items()
                 if not p.exists() or p.read_text(encoding="utf-8") != text]
        if stale:
            sys.exit("third_party_notices: out of date: " + ", ".join(stale))
        return
    for path, text in outputs.items():
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
