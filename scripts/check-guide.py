#!/usr/bin/env python3
"""Checks the farmer's guide in a folder, as built or as installed.

Every page must be well-formed (parsed as XML, so an unclosed or misnested
element fails), carry no script, and every link, picture and style sheet it
names must be a file inside the guide (an anchor must exist on its page);
every page must be reachable from index.html. Prints one line per fault and
exits 1 when there is any.

    check-guide.py GUIDE_DIR
"""
import os
import sys
import xml.etree.ElementTree as ET
from urllib.parse import unquote, urlsplit

root = os.path.realpath(sys.argv[1])
faults = []
pages = {}  # page name -> (ids, [(attribute value, what)])

for name in sorted(os.listdir(root)):
    if not name.endswith(".html"):
        continue
    try:
        tree = ET.parse(os.path.join(root, name))
    except ET.ParseError as e:
        faults.append(f"{name}: not well-formed: {e}")
        continue
    ids, refs = set(), []
    for el in tree.iter():
        tag = el.tag.split("}")[-1]
        if tag == "script" or any(a.startswith("on") for a in el.attrib):
            faults.append(f"{name}: has a script")
        if "id" in el.attrib:
            ids.add(el.attrib["id"])
        for attr in ("href", "src"):
            if attr in el.attrib:
                refs.append((el.attrib[attr], tag))
    pages[name] = (ids, refs)

linked = {"index.html"}
for name, (_, refs) in pages.items():
    for value, tag in refs:
        parts = urlsplit(value)
        if parts.scheme or parts.netloc or value.startswith("/"):
            faults.append(f"{name}: <{tag}> leads outside the guide: {value}")
            continue
        target = name if not parts.path else os.path.normpath(os.path.join(os.path.dirname(name), unquote(parts.path)))
        full = os.path.realpath(os.path.join(root, target))
        if not full.startswith(root + os.sep) or not os.path.isfile(full):
            faults.append(f"{name}: <{tag}> names a missing file: {value}")
            continue
        if target.endswith(".html"):
            linked.add(target)
            if parts.fragment and target in pages and parts.fragment not in pages[target][0]:
                faults.append(f"{name}: no #{parts.fragment} on {target}")

for name in sorted(set(pages) - linked):
    faults.append(f"{name}: no page links to it")
if "index.html" not in pages:
    faults.append("index.html is missing")

for f in faults:
    print(f)
print(f"{len(pages)} pages, {len(faults)} faults")
sys.exit(1 if faults else 0)
