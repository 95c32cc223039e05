#!/usr/bin/env python3
"""Checks the operator list generator.

    python3 operator_list_test.py PATH/TO/generate_operator_list.py
"""

import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

GENERATOR = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(__file__), "..", "..", "data", "plmn", "generate_operator_list.py")
spec = importlib.util.spec_from_file_location("generate_operator_list", GENERATOR)
generator = importlib.util.module_from_spec(spec)
spec.loader.exec_module(generator)

COUNTRIES = rb"""{"3166-1": [
  {"alpha_2": "DE", "alpha_3": "DEU", "name": "Germany", "numeric": "276"},
  {"alpha_2": "TW", "name": "Taiwan, Province of China", "common_name": "Taiwan"},
  {"alpha_2": "TR", "name": "T\u00fcrkiye"},
  {"alpha_2": "XX", "name": "Emoji \ud83d\ude00 land"}
]}"""

PROVIDERS = b"""<?xml version="1.0" encoding='utf-8'?>
<!-- header comment -->
<!DOCTYPE serviceproviders SYSTEM "serviceproviders.2.dtd">
<serviceproviders format="2.0">
<country code="de">
  <name>Deutschland (from the provider list)</name>
  <provider>
    <name xml:lang="de">Telekom DE</name>
    <name>Telekom</name>
    <gsm>
      <network-id mcc="262" mnc="01"/>
      <network-id mcc="262" mnc="06"/>
      <apn value="internet"><name>Web</name></apn>
    </gsm>
  </provider>
  <provider>
    <name>Reseller   &amp;
          Friends</name>
    <gsm><network-id mcc="262" mnc="01"/><network-id mcc="262" mnc="02"/></gsm>
  </provider>
  <provider primary="true">
    <name>Vodafone</name>
    <gsm><network-id mcc="262" mnc="02"/></gsm>
  </provider>
  <provider>
    <name>Broken codes</name>
    <gsm><network-id mcc="26" mnc="01"/><network-id mcc="262" mnc="1"/>
         <network-id mcc="262" mnc="0x1"/><network-id mcc="262"/></gsm>
  </provider>
  <provider>
    <name>CDMA only</name>
    <cdma><sid value="1"/></cdma>
  </provider>
</country>
<country code="us">
  <name>United States</name>
  <provider><name><![CDATA[AT&T]]></name><gsm><network-id mcc="310" mnc="410"/></gsm></provider>
  <provider><name>Reseller</name><gsm><network-id mcc="310" mnc="260"/></gsm></provider>
  <provider><name>T-Mobile</name>
    <gsm><network-id mcc="310" mnc="260"/><network-id mcc="310" mnc="200"/></gsm></provider>
</country>
<country code="tw">
  <name>Taiwan</name>
  <provider><name>Chunghwa</name><gsm><network-id mcc="466" mnc="92"/></gsm></provider>
</country>
</serviceproviders>
"""


class OperatorListTest(unittest.TestCase):
    def test_country_names_prefer_the_common_name_and_decode_escapes(self):
        names = generator.read_country_names(COUNTRIES)
        self.assertEqual(names["DE"], "Germany")
        self.assertEqual(names["TW"], "Taiwan")
        self.assertEqual(names["TR"], "T\u00fcrkiye")
        self.assertEqual(names["XX"], "Emoji \U0001F600 land")

    def test_one_entry_per_code_in_code_order(self):
        entries = generator.read_operators(PROVIDERS, generator.read_country_names(COUNTRIES))
        self.assertEqual(entries, [
            ("262", "01", "Germany", "Telekom", "GSM"),  # as many codes: the first listed wins
            ("262", "02", "Germany", "Vodafone", "GSM"),  # the primary provider wins
            ("262", "06", "Germany", "Telekom", "GSM"),
            ("310", "200", "United States", "T-Mobile", "GSM"),  # country not in the table
            ("310", "260", "United States", "T-Mobile", "GSM"),  # more codes than the reseller
            ("310", "410", "United States", "AT&T", "GSM"),
            ("466", "92", "Taiwan", "Chunghwa", "GSM"),
        ])

    def test_names_are_collapsed_to_one_line_with_references_decoded(self):
        cases = [
            (b'\n  "Reseller\t&amp;\n  Friends" ', "Reseller & Friends"),
            (b"&lt;&#65;&#x42;&apos;&quot;&gt; &#x1F600;", "<AB'\"> \U0001F600"),
        ]
        for raw, expected in cases:
            with self.subTest(raw=raw):
                xml = (b'<serviceproviders><country code="zz"><name>Z</name><provider><name>'
                       + raw + b'</name><gsm><network-id mcc="999" mnc="99"/></gsm></provider>'
                       b"</country></serviceproviders>")
                self.assertEqual(generator.read_operators(xml, {}),
                                 [("999", "99", "Z", expected, "GSM")])

    def test_writes_numbered_sections_as_utf8_with_byte_order_mark(self):
        text = generator.write_operator_list([("262", "01", "Germany", "Telekom", "GSM"),
                                              ("286", "01", "T\u00fcrkiye", "Turkcell", "GSM")])
        self.assertTrue(text.startswith(b"\xef\xbb\xbf; "))
        self.assertIn(b"\r\n[PLMN1]\r\nmcc=262\r\nmnc=01\r\ncountry=Germany\r\n"
                      b"operator=Telekom\r\nnetwork_type=GSM\r\n", text)
        self.assertIn(b"[PLMN2]\r\nmcc=286\r\nmnc=01\r\ncountry=T\xc3\xbcrkiye\r\n", text)
        self.assertNotIn(b"[PLMN3]", text)
        self.assertNotIn(b"[PLMN0]", text)

    def test_malformed_input_fails_and_leaves_the_old_list(self):
        cases = [(b"<a>", COUNTRIES), (b"<a></b>", COUNTRIES), (b"<a x=1/>", COUNTRIES),
                 (b"<a/><b/>", COUNTRIES), (PROVIDERS, b"{"), (PROVIDERS, b"[1,]"),
                 (PROVIDERS, b'"\\u12"')]
        with tempfile.TemporaryDirectory() as folder:
            providers, countries, output = (os.path.join(folder, name)
                                            for name in ("p.xml", "c.json", "plmn.ini"))
            for xml, json_text in cases:
                with self.subTest(xml=xml, json=json_text):
                    for path, content in ((providers, xml), (countries, json_text),
                                          (output, b"old")):
                        with open(path, "wb") as file:
                            file.write(content)
                    run = subprocess.run([sys.executable, GENERATOR, providers, countries, output],
                                         capture_output=True)
                    self.assertEqual(run.returncode, 1)
                    with open(output, "rb") as file:
                        self.assertEqual(file.read(), b"old")


if __name__ == "__main__":
    unittest.main()
