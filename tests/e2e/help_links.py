#!/usr/bin/env python3
"""Checks the pages and contents of an unpacked help file: each page decodes in the charset
it declares, and every link of a page (href, src) and every entry of the contents and index
files (.hhc, .hhk) names a file inside the help file, and an anchor there when it has one.
Usage: help_links.py <unpacked folder>. Prints one line per fault; exit status 1 on any."""

import html.parser
import re
import sys
import urllib.parse
from pathlib import Path

# The contents and index carry no charset; the help compiler wants them in the system code page.
SITEMAP_ENCODING = "cp932"
CHARSET = re.compile(rb'<meta[^>]+charset=["\']?([A-Za-z0-9_-]+)', re.IGNORECASE)


class LinkCollector(html.parser.HTMLParser):
    """Collects what a page points at, and the anchors it offers."""

    def __init__(self):
        super().__init__()
        self.links = []    # (line, target)
        self.anchors = set()

    def handle_starttag(self, tag, attrs):
        values = dict(attrs)
        for name in ("href", "src"):
            if values.get(name) is not None:
                self.links.append((self.getpos()[0], values[name]))
        for name in ("id", "name"):
            if tag != "param" and values.get(name):
                self.anchors.add(values[name])
        if tag == "param" and (values.get("name") or "").lower() == "local":
            self.links.append((self.getpos()[0], values.get("value") or ""))


def page_text(path):
    """The page's text, decoded as it says it is; raises ValueError when it cannot be."""
    data = path.read_bytes()
    if path.suffix.lower() in (".hhc", ".hhk"):
        return data.decode(SITEMAP_ENCODING)
    declared = CHARSET.search(data)
    if not declared:
        raise ValueError("declares no charset")
    return data.decode(declared.group(1).decode("ascii"))


def collect(path):
    collector = LinkCollector()
    collector.feed(page_text(path))
    collector.close()
    return collector


def link_fault(root, page, target, anchors_of):
    """Why the link from page to target does not resolve inside root, or None."""
    parts = urllib.parse.urlsplit(target)
    if parts.scheme or parts.netloc:
        return "leaves the help file"
    if not parts.path and not parts.fragment:
        return "is empty"
    file = (page.parent / urllib.parse.unquote(parts.path)).resolve() if parts.path else page
    if not file.is_relative_to(root) or not file.is_file():
        return "names no file in the help file"
    if parts.fragment and parts.fragment not in anchors_of(file):
        return f"names no anchor '{parts.fragment}' in {file.relative_to(root)}"
    return None


def main():
    root = Path(sys.argv[1]).resolve()
    checked = sorted(p for p in root.rglob("*") if p.suffix.lower() in (".html", ".htm", ".hhc", ".hhk"))
    faults = []
    collected = {}

    def parsed(path):
        if path not in collected:
            collected[path] = collect(path)
        return collected[path]

    def anchors_of(path):
        try:
            return parsed(path).anchors
        except (ValueError, LookupError):
            return set()  # reported as that file's own fault

    for page in checked:
        name = page.relative_to(root)
        try:
            links = parsed(page).links
        except (ValueError, LookupError) as error:
            faults.append(f"{name}: cannot be read: {error}")
            continue
        if page.suffix.lower() == ".hhc" and not links:
            faults.append(f"{name}: the contents name no page")
        for line, target in links:
            fault = link_fault(root, page, target, anchors_of)
            if fault:
                faults.append(f"{name}:{line}: '{target}' {fault}")
    if not any(p.suffix.lower() == ".hhc" for p in checked):
        faults.append("no contents file (.hhc)")
    for fault in faults:
        print(fault)
    print(f"{len(checked)} files checked, {len(faults)} faults", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
