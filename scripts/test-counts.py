#!/usr/bin/env python3
"""Prints, per build and label, how many tests ran, passed, failed and skipped.

  scripts/test-counts.py BUILD_DIR...   (each with the junit.xml its ctest run wrote)
"""
import collections
import json
import subprocess
import sys
import xml.etree.ElementTree as ET


def labels_by_test(build):
    shown = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                           capture_output=True, text=True, check=True).stdout
    out = {}
    for test in json.loads(shown).get("tests", []):
        labels = []
        for prop in test.get("properties", []):
            if prop.get("name") == "LABELS":
                labels = prop.get("value", [])
        out[test["name"]] = labels or ["unit"]
    return out


def main():
    status = 0
    for build in sys.argv[1:]:
        try:
            cases = ET.parse(f"{build}/junit.xml").getroot().iter("testcase")
        except (OSError, ET.ParseError) as e:
            print(f"{build}: no test results ({e})")
            status = 1
            continue
        labels = labels_by_test(build)
        counts = collections.defaultdict(collections.Counter)
        for case in cases:
            name = case.get("name")
            if case.find("skipped") is not None or case.get("status") in ("notrun", "disabled"):
                outcome = "skipped"
            elif case.find("failure") is not None or case.get("status") == "fail":
                outcome = "failed"
            else:
                outcome = "passed"
            for label in labels.get(name, ["unit"]):
                counts[label][outcome] += 1
        print(f"{build}:")
        print(f"  {'label':<12} {'run':>5} {'passed':>7} {'failed':>7} {'skipped':>8}")
        for label in sorted(counts):
            c = counts[label]
            print(f"  {label:<12} {c['passed'] + c['failed']:>5} {c['passed']:>7} "
                  f"{c['failed']:>7} {c['skipped']:>8}")
    return status


if __name__ == "__main__":
    sys.exit(main())
