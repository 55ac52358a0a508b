#!/usr/bin/python3
"""The files tavo writes, opened by the programs our users open them with.

LibreOffice converts the report RTF, _Out.rtf and _Out.csv; ezdxf reads and audits every DXF
drawing; rsvg-convert renders every SVG drawing; poppler reads every PDF drawing and the help.
What each client shows is compared with what tavo itself says (its text report, its CSV, its
JSON section properties), never with numbers written down here.

    /usr/bin/python3 tests/clients/check_clients.py BUILD_DIR

BUILD_DIR is a configured and built folder holding install/tavo. Exit status 0 when every
check passed, 1 when any failed (each failure is printed), 2 on bad arguments.
"""

import csv
import json
import io
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unicodedata
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# One LibreOffice start converts many files; a hung conversion must not hang the run.
OFFICE_TIMEOUT = 240
TOOL_TIMEOUT = 60


class Checks:
    def __init__(self):
        self.failures = []
        self.passed = 0

    def expect(self, ok, what):
        if ok:
            self.passed += 1
        else:
            self.failures.append(what)
            print("FAIL: " + what, flush=True)
        return ok


def run(args, timeout=TOOL_TIMEOUT, cwd=None):
    """Runs a program without a shell; (exit status, stdout, stderr), status -1 if it could not run."""
    try:
        p = subprocess.run(args, cwd=cwd, capture_output=True, timeout=timeout)
        return p.returncode, p.stdout, p.stderr
    except (OSError, subprocess.TimeoutExpired) as e:
        return -1, b"", str(e).encode()


def missing_tools(names):
    return [n for n in names if shutil.which(n) is None]


# ---------------------------------------------------------------- text as a reader sees it

_BIDI_MARKS = re.compile("[\u200c\u200e\u200f\u202a-\u202e\u2066-\u2069]")


def plain(text):
    """Presentation forms folded to letters, direction marks and joiners dropped."""
    return _BIDI_MARKS.sub("", unicodedata.normalize("NFKC", text))


def persian_words(text):
    return set(re.findall(r"[\u0600-\u06ff]+", plain(text)))


def number_tokens(text):
    return set(re.findall(r"(?<![\w.])-?\d+(?:\.\d+)?(?![\w.])", text))


def pdf_text(path):
    status, out, err = run(["pdftotext", "-enc", "UTF-8", path, "-"])
    return plain(out.decode("utf-8", "replace")) if status == 0 else None


# ---------------------------------------------------------------- pictures

def png_pixels(data):
    """(width, height, set of distinct pixels) of an 8-bit non-interlaced PNG, else None."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    pos, idat, header = 8, b"", None
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    if header is None:
        return None
    width, height, depth, colour, _, _, interlace = header
    channels = {0: 1, 2: 3, 4: 2, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace != 0:
        return width, height, None
    raw = zlib.decompress(idat)
    stride = width * channels
    previous = bytearray(stride)
    seen = set()
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        for x in range(0, stride, channels):
            seen.add(bytes(line[x:x + channels]))
        previous = line
        if len(seen) > 2:
            break  # a drawing, not a blank page: enough is known
    return width, height, seen


def expect_drawn_png(checks, path, what):
    """The PNG exists and holds more than a background."""
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        return checks.expect(False, what + ": no PNG was made")
    info = png_pixels(data)
    if not checks.expect(info is not None and info[0] > 0 and info[1] > 0, what + ": not a PNG with pixels"):
        return False
    return checks.expect(info[2] is None or len(info[2]) > 2, what + ": the picture is blank")


# ---------------------------------------------------------------- what tavo says

class Tavo:
    def __init__(self, exe):
        self.exe = exe

    def __call__(self, *args, cwd=None):
        return run([self.exe] + list(args), cwd=cwd)

    def properties(self, designation):
        import json
        status, out, _ = self("section", designation, "--json")
        try:
            return json.loads(out.decode("utf-8")).get("properties")
        except ValueError:
            return None


def sheet_designations():
    """The sample of every family that the contact sheet draws, as the CLI lists it."""
    path = os.path.join(ROOT, "src", "app", "cli", "draw_command.cpp")
    with open(path, encoding="utf-8") as f:
        source = f.read()
    m = re.search(r"kSheetDesignations\[\]\s*=\s*\{(.*?)\};", source, re.S)
    return re.findall(r'"((?:[^"\\]|\\.)*)"', m.group(1)) if m else []


# ---------------------------------------------------------------- LibreOffice

def office_convert(files, target, outdir, profile, infilter=None):
    args = ["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--norestore"]
    if infilter:
        args.append("--infilter=" + infilter)
    args += ["--convert-to", target, "--outdir", outdir] + files
    return run(args, timeout=OFFICE_TIMEOUT)


def csv_shape(path):
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    while rows and not any(c.strip() for c in rows[-1]):
        rows.pop()  # a spreadsheet keeps no empty rows after the last
    return rows, max((len(r) for r in rows), default=0)


def check_office(checks, tavo, work):
    print("== LibreOffice: report RTF, _Out.rtf and _Out.csv", flush=True)
    lacking = missing_tools(["soffice", "pdftotext"])
    if not checks.expect(not lacking, "not installed: " + ", ".join(lacking) + " (scripts/deps installs them)"):
        return
    shutil.copy(os.path.join(ROOT, "examples", "frame.Ardekon"), work)
    out = os.path.join(work, "out")
    os.makedirs(out)
    status, _, err = tavo("run", "frame.Ardekon", "--out-dir", out, cwd=work)
    if not checks.expect(status == 0, "tavo run frame.Ardekon: status %d %s" % (status, err.decode(errors="replace"))):
        return
    table_rtf = os.path.join(out, "frame_Out.rtf")
    table_csv = os.path.join(out, "frame_Out.csv")

    # The reports of one element in both languages, and the same report as text to compare with.
    reports = {}
    for lang in ("en", "fa"):
        rtf = os.path.join(work, "report_%s.rtf" % lang)
        status, _, err = tavo("report", "--input", "frame.Ardekon", "--id", "5", "--lang", lang, "--out", rtf, cwd=work)
        checks.expect(status == 0 and os.path.exists(rtf), "tavo report --lang %s: status %d %s" %
                      (lang, status, err.decode(errors="replace")))
        _, text, _ = tavo("report", "--input", "frame.Ardekon", "--id", "5", "--lang", lang, "--format", "text", cwd=work)
        reports[rtf] = text.decode("utf-8", "replace")

    pdfs = os.path.join(work, "pdf")
    profile = os.path.join(work, "office-profile")
    sources = [table_rtf] + [r for r in reports if os.path.exists(r)]
    status, _, err = office_convert(sources, "pdf", pdfs, profile)
    checks.expect(status == 0, "soffice --convert-to pdf: status %d %s" % (status, err.decode(errors="replace")))

    for rtf, expected in reports.items():
        name = os.path.basename(rtf)
        text = pdf_text(os.path.join(pdfs, name[:-4] + ".pdf"))
        if not checks.expect(text is not None, name + ": LibreOffice made no readable PDF"):
            continue
        numbers = number_tokens(expected) - number_tokens(text)
        checks.expect(not numbers, name + ": numbers of the report missing from the PDF: " + " ".join(sorted(numbers)))
        # Lam-alef is one glyph that pdftotext gives back in the other order; words holding it are left out.
        words = {w for w in persian_words(expected) if "\u0644\u0627" not in w} - persian_words(text)
        checks.expect(not words, name + ": Persian words of the report missing from the PDF: " + " ".join(sorted(words)))
        if name.endswith("_fa.rtf"):
            checks.expect(len(persian_words(expected)) > 5, name + ": the Persian report has hardly any Persian words")

    rows, columns = csv_shape(table_csv)
    header = next((i for i, r in enumerate(rows) if r[:1] == ["ID"]), None)
    if not checks.expect(header is not None, "frame_Out.csv: no heading row starting with \"ID\""):
        return
    area = rows[header].index("A")
    elements = [r for r in rows[header + 2:] if r and r[0].isdigit() and len(r) > area]
    checks.expect(len(elements) > 0, "frame_Out.csv: no element rows")
    text = pdf_text(os.path.join(pdfs, "frame_Out.pdf"))
    if checks.expect(text is not None, "frame_Out.rtf: LibreOffice made no readable PDF"):
        tokens = number_tokens(text)
        missing = [r[area] for r in elements if r[area] not in tokens]
        checks.expect(not missing, "frame_Out.pdf lacks the areas of _Out.csv: " + " ".join(missing))
        captions = [c for c in rows[header - 1] if c]
        checks.expect(len(captions) > 3, "frame_Out.csv: the group captions are missing")
        for caption in captions:
            if "\u0644\u0627" in caption:
                continue
            # The caption's words in one line each or together: a caption broken into letters fails.
            pattern = r"\s+".join(re.escape(w) for w in plain(caption).split())
            checks.expect(re.search(pattern, text) is not None,
                          "frame_Out.pdf: the caption \"%s\" is not there as words" % caption)

    # The CSV opened in the spreadsheet and saved as CSV again keeps its rows and columns.
    back = os.path.join(work, "csv-back")
    status, _, err = office_convert([table_csv], "csv:Text - txt - csv (StarCalc):44,34,76,1", back, profile,
                                    infilter="CSV:44,34,76,1")
    saved = os.path.join(back, "frame_Out.csv")
    if checks.expect(status == 0 and os.path.exists(saved),
                     "soffice csv -> csv: status %d %s" % (status, err.decode(errors="replace"))):
        rows_back, columns_back = csv_shape(saved)
        checks.expect(len(rows_back) == len(rows), "frame_Out.csv: %d rows, %d after LibreOffice" %
                      (len(rows), len(rows_back)))
        checks.expect(columns_back == columns, "frame_Out.csv: %d columns, %d after LibreOffice" %
                      (columns, columns_back))
        if len(rows_back) == len(rows):
            changed = [r[0] for r, b in zip(rows, rows_back) if r in elements and
                       (b[:1] != r[:1] or len(b) <= area or not close(b[area], r[area]))]
            checks.expect(not changed, "frame_Out.csv: IDs or areas changed by LibreOffice in rows " + " ".join(changed))


def check_office_limit_state(checks, tavo, work):
    print("== LibreOffice: the limit-state code's _Out.csv and _Out.rtf", flush=True)
    lacking = missing_tools(["soffice", "pdftotext"])
    if not checks.expect(not lacking, "not installed: " + ", ".join(lacking)):
        return
    for name in ("frame.Ardekon", "frame.forces.csv"):
        shutil.copy(os.path.join(ROOT, "examples", name), work)
    out = os.path.join(work, "out")
    os.makedirs(out)
    status, _, err = tavo("run", "frame.Ardekon", "--code", "aisc360-lrfd", "--out-dir", out, cwd=work)
    if not checks.expect(status == 0, "tavo run --code aisc360-lrfd: status %d %s" % (status, err.decode(errors="replace"))):
        return
    # The ratios the JSON stream gives are what the files must show, to their three decimals.
    _, data, _ = tavo("run", "frame.Ardekon", "--code", "aisc360-lrfd", "--json", "--no-files", cwd=work)
    expected = {str(e["id"]): round(e["aisc360"]["governing_ratio"], 3) for e in json.loads(data)}
    checks.expect(len(expected) == 9, "run --json: %d elements with forces, 9 expected" % len(expected))
    table_csv = os.path.join(out, "frame_Out.csv")
    rows, columns = csv_shape(table_csv)
    header = next((i for i, r in enumerate(rows) if r[:1] == ["ID"]), None)
    if not checks.expect(header is not None and "Ratio" in rows[header], "frame_Out.csv: no Ratio column"):
        return
    ratio = rows[header].index("Ratio")
    shown = {r[0]: r[ratio] for r in rows[header + 2:] if r and r[0].isdigit() and len(r) > ratio}
    checks.expect(shown.keys() == expected.keys() and all(close(shown[k], v) for k, v in expected.items()),
                  "frame_Out.csv ratios %s, JSON %s" % (shown, expected))
    pdfs = os.path.join(work, "pdf")
    profile = os.path.join(work, "office-profile")
    status, _, err = office_convert([os.path.join(out, "frame_Out.rtf")], "pdf", pdfs, profile)
    text = pdf_text(os.path.join(pdfs, "frame_Out.pdf")) if status == 0 else None
    if checks.expect(text is not None, "frame_Out.rtf (limit-state code): LibreOffice made no readable PDF"):
        tokens = number_tokens(text)
        missing = sorted(str(v) for v in expected.values() if not any(close(t, v) for t in tokens))
        checks.expect(not missing, "frame_Out.pdf (limit-state code) lacks the ratios " + " ".join(missing))
    back = os.path.join(work, "csv-back")
    status, _, err = office_convert([table_csv], "csv:Text - txt - csv (StarCalc):44,34,76,1", back, profile,
                                    infilter="CSV:44,34,76,1")
    saved = os.path.join(back, "frame_Out.csv")
    if checks.expect(status == 0 and os.path.exists(saved), "soffice csv -> csv (limit-state code): status %d" % status):
        rows_back, columns_back = csv_shape(saved)
        checks.expect(columns_back == columns, "frame_Out.csv (limit-state code): %d columns, %d after LibreOffice" %
                      (columns, columns_back))
        back_ratios = {r[0]: r[ratio] for r in rows_back if r and r[0].isdigit() and len(r) > ratio}
        checks.expect(all(close(back_ratios.get(k, "x"), v) for k, v in expected.items()),
                      "frame_Out.csv ratios after LibreOffice %s" % back_ratios)


def close(a, b, tolerance=1e-9):
    try:
        return abs(float(a) - float(b)) <= tolerance * max(1.0, abs(float(b)))
    except ValueError:
        return False


# ---------------------------------------------------------------- drawings

def check_dxf(checks, tavo, work, designations):
    print("== ezdxf: every DXF drawing", flush=True)
    try:
        import ezdxf
        from ezdxf import bbox, recover, units
    except ImportError:
        checks.expect(False, "ezdxf is not installed for /usr/bin/python3 (scripts/deps installs python3-ezdxf)")
        return
    jobs = [(d, ["draw", d]) for d in designations] + [("the parameter legend", ["draw", "--sketch"])]
    for n, (what, args) in enumerate(jobs):
        path = os.path.join(work, "drawing%d.dxf" % n)
        status, _, err = tavo(*args, "--out", path)
        if not checks.expect(status == 0 and os.path.exists(path), "tavo draw %s --out .dxf: status %d %s" %
                             (what, status, err.decode(errors="replace"))):
            continue
        try:
            doc, auditor = recover.readfile(path)
        except (IOError, ezdxf.DXFStructureError) as e:
            checks.expect(False, "%s: ezdxf cannot read the DXF: %s" % (what, e))
            continue
        checks.expect(not auditor.has_errors, "%s: recovering the DXF found errors: %s" %
                      (what, "; ".join(str(e) for e in auditor.errors)))
        audit = doc.audit()
        checks.expect(not audit.has_errors, "%s: the DXF audit found errors: %s" %
                      (what, "; ".join(str(e) for e in audit.errors)))
        msp = doc.modelspace()
        outline = [e for e in msp if e.dxf.layer == "OUTLINE"]
        if not checks.expect(len(outline) > 0, what + ": nothing on layer OUTLINE"):
            continue
        checks.expect(any(e.dxf.layer == "DIMENSIONS" for e in msp), what + ": nothing on layer DIMENSIONS")
        if args[1] == "--sketch":
            continue
        props = tavo.properties(what)
        if not checks.expect(props is not None, what + ": tavo section --json gives no properties"):
            continue
        # The section's outline measured in the drawing's own units.
        mm_per_unit = units.conversion_factor(doc.units, units.MM) if doc.units else 1.0
        box = bbox.extents(outline)
        width, depth = box.size.x * mm_per_unit, box.size.y * mm_per_unit
        want_width, want_depth = props["Width"] * 10, props["Depth"] * 10
        # A gusset plate between doubled angles or channels ("+PL120*10", millimetres) adds
        # nothing to the properties but is drawn, centred on the members' depth.
        gusset = re.search(r"(?<![\w*])\+\s*PL\s*(\d+(?:\.\d+)?)\s*\*", what.upper())
        if gusset:
            want_depth = max(want_depth, float(gusset.group(1)))
        checks.expect(abs(width - want_width) <= 0.002 * want_width + 0.05,
                      "%s: outline %.3f mm wide, the section %.3f mm" % (what, width, want_width))
        checks.expect(abs(depth - want_depth) <= 0.002 * want_depth + 0.05,
                      "%s: outline %.3f mm deep, the section %.3f mm" % (what, depth, want_depth))


def check_svg_pdf(checks, tavo, work, designations):
    print("== rsvg-convert and poppler: every SVG and PDF drawing", flush=True)
    lacking = missing_tools(["rsvg-convert", "pdfinfo", "pdftoppm"])
    if not checks.expect(not lacking, "not installed: " + ", ".join(lacking) + " (scripts/deps installs them)"):
        return
    jobs = [(d, ["draw", d]) for d in designations] + [("the parameter legend", ["draw", "--sketch"])]
    for n, (what, args) in enumerate(jobs):
        svg = os.path.join(work, "drawing%d.svg" % n)
        status, _, err = tavo(*args, "--size", "480x360", "--out", svg)
        if checks.expect(status == 0 and os.path.exists(svg), "tavo draw %s --out .svg: status %d %s" %
                         (what, status, err.decode(errors="replace"))):
            png = svg[:-4] + ".png"
            status, _, err = run(["rsvg-convert", "-o", png, svg])
            if checks.expect(status == 0, "%s: rsvg-convert failed: %s" % (what, err.decode(errors="replace"))):
                expect_drawn_png(checks, png, what + " (SVG)")

        pdf = os.path.join(work, "drawing%d.pdf" % n)
        status, _, err = tavo(*args, "--size", "480x360", "--out", pdf)
        if checks.expect(status == 0 and os.path.exists(pdf), "tavo draw %s --out .pdf: status %d %s" %
                         (what, status, err.decode(errors="replace"))):
            check_pdf(checks, pdf, what + " (PDF)", min_pages=1)


def check_pdf(checks, pdf, what, min_pages):
    status, out, err = run(["pdfinfo", pdf])
    if not checks.expect(status == 0, "%s: pdfinfo failed: %s" % (what, err.decode(errors="replace"))):
        return
    pages = re.search(rb"^Pages:\s+(\d+)", out, re.M)
    checks.expect(pages is not None and int(pages.group(1)) >= min_pages,
                  "%s: pdfinfo reports %s pages" % (what, pages.group(1).decode() if pages else "no"))
    stem = pdf[:-4] + "-page"
    status, _, err = run(["pdftoppm", "-png", "-r", "40", "-f", "1", "-l", "1", "-singlefile", pdf, stem])
    if checks.expect(status == 0, "%s: pdftoppm failed: %s" % (what, err.decode(errors="replace"))):
        expect_drawn_png(checks, stem + ".png", what)


def check_help(checks, build, work):
    print("== poppler: the help documents", flush=True)
    folder = os.path.join(build, "install", "bin", "help")
    pdfs = sorted(f for f in os.listdir(folder) if f.endswith(".pdf")) if os.path.isdir(folder) else []
    if not checks.expect(len(pdfs) > 0, "no help PDF in " + folder + " (build the help_document target)"):
        return
    for name in pdfs:
        path = os.path.join(work, name)
        shutil.copy(os.path.join(folder, name), path)
        check_pdf(checks, path, "help " + name, min_pages=2)
        text = pdf_text(path) or ""
        checks.expect(len(text.split()) > 200, "help %s: hardly any text in it" % name)
        if name.endswith("_fa.pdf"):
            checks.expect(len(persian_words(text)) > 50, "help %s: hardly any Persian words in it" % name)


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    build = os.path.abspath(argv[1])
    exe = os.path.join(build, "install", "tavo")
    if not os.access(exe, os.X_OK):
        print("No program %s: build the tavo target first" % exe, file=sys.stderr)
        return 2
    tavo = Tavo(exe)
    checks = Checks()
    designations = sheet_designations()
    checks.expect(len(designations) > 10, "the sample designations of draw_command.cpp were not found")
    with tempfile.TemporaryDirectory(prefix="tavo-clients-") as work:
        for name, step in (("office", lambda d: check_office(checks, tavo, d)),
                           ("office-limit-state", lambda d: check_office_limit_state(checks, tavo, d)),
                           ("dxf", lambda d: check_dxf(checks, tavo, d, designations)),
                           ("svg-pdf", lambda d: check_svg_pdf(checks, tavo, d, designations)),
                           ("help", lambda d: check_help(checks, build, d))):
            folder = os.path.join(work, name)
            os.makedirs(folder)
            step(folder)
    print("== %d checks passed, %d failed" % (checks.passed, len(checks.failures)))
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
