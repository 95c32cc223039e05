#!/usr/bin/env python3
"""Writes the operator list "plmn.ini".

    python3 generate_operator_list.py PROVIDERS.xml ISO_3166-1.json OUTPUT

Operator names by MCC and MNC come from the mobile broadband provider database,
country names from the ISO 3166-1 country table. The output is UTF-8 with a
byte-order mark and CR LF line ends: sections "PLMN1", "PLMN2", ... with the
keys mcc, mnc, country, operator and network_type, ordered by MCC then MNC.
"""

import json
import os
import sys
import xml.etree.ElementTree as ElementTree

XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"
ASCII_UPPER = str.maketrans("abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ")


def is_digits(text, min_length, max_length):
    return (min_length <= len(text) <= max_length
            and all("0" <= c <= "9" for c in text))


def clean_value(text):
    """One line of a profile value: runs of blanks and control characters
    become one blank, the ends are trimmed. A value wrapped in quotes would
    lose them on reading, so such quotes are dropped here already."""
    out = []
    blank = False
    for c in text:
        if c < " " or c in (" ", "\x7f"):
            blank = bool(out)
            continue
        if blank:
            out.append(" ")
            blank = False
        out.append(c)
    value = "".join(out)
    if len(value) >= 2 and value[0] == '"' and value[-1] == '"':
        return clean_value(value[1:-1])
    return value


def own_text(element):
    """The element's own character data, without that of its children."""
    return (element.text or "") + "".join(child.tail or "" for child in element)


def element_name(element):
    """The name without a language tag, else the first one."""
    names = element.findall("name")
    for name in names:
        if XML_LANG not in name.attrib:
            return clean_value(own_text(name))
    return clean_value(own_text(names[0])) if names else ""


def read_country_names(iso_json):
    """ISO 3166-1 alpha-2 code (upper case) -> common name, else name."""
    names = {}
    root = json.loads(iso_json)
    countries = root.get("3166-1") if isinstance(root, dict) else None
    if not isinstance(countries, list):
        return names
    for country in countries:
        if not isinstance(country, dict):
            continue

        def text(key):
            value = country.get(key)
            return value if isinstance(value, str) else ""

        code = text("alpha_2").translate(ASCII_UPPER)
        name = clean_value(text("common_name")) or clean_value(text("name"))
        if code and name:
            names.setdefault(code, name)
    return names


def read_operators(providers_xml, country_names):
    """One (mcc, mnc, country, operator, network type) per code, in code
    order. MVNOs list their host network's codes too: the network's owner is
    the provider marked primary, else the one claiming the most codes (owners
    list all of theirs), else the first listed. A country missing from
    country_names keeps the provider database's own name."""
    by_code = {}
    root = ElementTree.fromstring(providers_xml)
    for country in root.findall("country"):
        code = country.get("code")
        country_name = country_names.get(code.translate(ASCII_UPPER)) if code is not None else None
        if country_name is None:
            country_name = element_name(country)
        for provider in country.findall("provider"):
            primary = provider.get("primary") == "true"
            name = element_name(provider)
            if not name:
                continue
            ids = [i for gsm in provider.findall("gsm") for i in gsm.findall("network-id")]
            for network in ids:
                mcc = network.get("mcc")
                mnc = network.get("mnc")
                if mcc is None or mnc is None or not is_digits(mcc, 3, 3) or not is_digits(mnc, 2, 3):
                    continue
                candidate = ((mcc, mnc, country_name, name, "GSM"), primary, len(ids))
                held = by_code.get((mcc, mnc))
                if held is None or outranks(candidate, held):
                    by_code[(mcc, mnc)] = candidate
    return [by_code[code][0] for code in sorted(by_code)]


def outranks(candidate, held):
    _, primary, code_count = candidate
    _, held_primary, held_code_count = held
    return primary if primary != held_primary else code_count > held_code_count


def write_operator_list(entries):
    lines = ["\ufeff; Operator names by mobile country code (MCC) and mobile network code (MNC).",
             "; Generated at build time; do not edit."]
    for number, (mcc, mnc, country, name, network_type) in enumerate(entries, start=1):
        lines += ["", f"[PLMN{number}]", f"mcc={mcc}", f"mnc={mnc}", f"country={country}",
                  f"operator={name}", f"network_type={network_type}"]
    return ("\r\n".join(lines) + "\r\n").encode("utf-8")


def main(argv):
    if len(argv) != 4:
        print("usage: generate_operator_list.py PROVIDERS.xml ISO_3166-1.json OUTPUT",
              file=sys.stderr)
        return 2
    providers_path, countries_path, output_path = argv[1:]
    try:
        with open(countries_path, "rb") as countries_file:
            countries = read_country_names(countries_file.read())
        with open(providers_path, "rb") as providers_file:
            entries = read_operators(providers_file.read(), countries)
        # Written beside the target and renamed, so a failed run leaves no
        # half list behind for the next build to take as up to date.
        temporary = output_path + ".tmp"
        with open(temporary, "wb") as out:
            out.write(write_operator_list(entries))
        os.replace(temporary, output_path)
    except (OSError, ValueError, ElementTree.ParseError) as error:
        print(f"generate_operator_list: {error}", file=sys.stderr)
        return 1
    print(f"generate_operator_list: {len(entries)} operators")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
