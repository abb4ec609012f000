# Reads the CSV files that `vorn-data export` wrote into a folder with
# Python's own csv module and prints, per file, whether it starts with the
# UTF-8 byte-order mark, whether it is written exactly as RFC 4180 asks (CR
# LF record ends, minimal quoting), and its rows as JSON, one file per line,
# in the order the names are given.
#   python3 read_csv.py FOLDER NAME...
import csv
import io
import json
import sys

folder = sys.argv[1]
for name in sys.argv[2:]:
    raw = open(f"{folder}/{name}", "rb").read()
    bom = raw.startswith(b"\xef\xbb\xbf")
    text = raw.decode("utf-8-sig")
    rows = list(csv.reader(io.StringIO(text, newline=""), strict=True))
    # Re-joined the way the file should be written, the rows give the file's
    # exact bytes only if the writer quoted and ended records as RFC 4180 asks.
    out = io.StringIO(newline="")
    csv.writer(out, lineterminator="\r\n").writerows(rows)
    print(json.dumps({"file": name, "bom": bom, "exact": out.getvalue() == text, "rows": rows},
                     ensure_ascii=False))
