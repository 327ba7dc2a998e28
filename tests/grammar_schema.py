#!/usr/bin/env python3
"""Checks grammar files against the JSON Schema with a real validator (draft 2020-12).

usage: grammar_schema.py SCHEMA --valid DIR... --invalid DIR...
Every *.json file under a --valid directory must be valid, every one under an --invalid
directory invalid; the schema itself must be a valid draft 2020-12 schema.
"""
import argparse
import glob
import importlib.metadata
import json
import os
import sys

try:
    from jsonschema import Draft202012Validator
except ImportError:
    sys.exit("grammar_schema.py: python3-jsonschema with draft 2020-12 is missing "
             "(make deps installs it)")


def files(dirs):
    found = []
    for directory in dirs:
        found += sorted(glob.glob(os.path.join(directory, "*.json")))
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("schema")
    parser.add_argument("--valid", nargs="*", default=[])
    parser.add_argument("--invalid", nargs="*", default=[])
    args = parser.parse_args()
    with open(args.schema, encoding="utf-8") as f:
        schema = json.load(f)
    Draft202012Validator.check_schema(schema)
    validator = Draft202012Validator(schema)
    status = 0
    for expect_valid, paths in ((True, files(args.valid)), (False, files(args.invalid))):
        if not paths:
            print("no grammar files to check")
            status = 1
        for path in paths:
            with open(path, encoding="utf-8") as f:
                errors = list(validator.iter_errors(json.load(f)))
            if errors:
                first = min(errors, key=lambda e: len(e.absolute_path))
                where = "/".join(str(p) for p in first.absolute_path)
                verdict = f"invalid at /{where}: {first.message[:120]}"
            else:
                verdict = "valid"
            ok = (not errors) == expect_valid
            print(f"{'ok' if ok else 'WRONG'}  {path}: {verdict}")
            status = status or (0 if ok else 1)
    print("jsonschema", importlib.metadata.version("jsonschema"), "draft 2020-12")
    return status


if __name__ == "__main__":
    sys.exit(main())
