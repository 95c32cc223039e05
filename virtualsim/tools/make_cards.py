#!/usr/bin/env python3
"""Writes the demo card and the test cards as card profiles.

    python3 virtualsim/tools/make_cards.py [repository root]

The record contents are built here from the public standards, independently
of the editor's and the plug-in's codecs:
  - TS 51.011 10.5.1 (ADN and its relatives), 10.5.3 (SMS), 10.5.10 (EXT),
    10.3 (ICCID, IMSI, SPN, LOCI, SST, AD, Phase), Annex B (UCS2 alpha fields);
  - TS 23.038 6.2.1 (GSM 7-bit default alphabet) and 6.1.2.1 (packing);
  - TS 23.040 9.2 (SMS-DELIVER, SMS-SUBMIT), 9.1.2.5 (addresses);
  - TS 24.008 10.5.1.3 (location area identification).
Before writing anything the encoders are checked against worked examples
published with those standards; a mismatch stops the script.

The iDEN phone book (directory 7F31) has no public standard; its value and
e-mail records follow the layout the editor documents for that book.
"""

import sys
from pathlib import Path

# --- TS 23.038 6.2.1: GSM 7-bit default alphabet ----------------------------

GSM_BASIC = (
    "@£$¥èéùìòÇ\nØø\rÅå"
    "Δ_ΦΓΛΩΠΨΣΘΞ\x1bÆæßÉ"
    " !\"#¤%&'()*+,-./"
    "0123456789:;<=>?"
    "¡ABCDEFGHIJKLMNO"
    "PQRSTUVWXYZÄÖÑÜ§"
    "¿abcdefghijklmno"
    "pqrstuvwxyzäöñüà"
)
assert len(GSM_BASIC) == 128
GSM_EXTENSION = {"\f": 0x0A, "^": 0x14, "{": 0x28, "}": 0x29, "\\": 0x2F,
                 "[": 0x3C, "~": 0x3D, "]": 0x3E, "|": 0x40, "€": 0x65}


def gsm_septets(text):
    """Text to default-alphabet septets; extension characters take ESC first."""
    out = []
    for ch in text:
        if ch in GSM_EXTENSION:
            out += [0x1B, GSM_EXTENSION[ch]]
        else:
            index = GSM_BASIC.find(ch)
            if index < 0 or ch == "\x1b":
                raise ValueError(f"{ch!r} is not in the GSM default alphabet")
            out.append(index)
    return out


def is_gsm(text):
    try:
        gsm_septets(text)
        return True
    except ValueError:
        return False


def pack_septets(septets, fill_bits=0):
    """TS 23.038 6.1.2.1.1: septets packed least significant bit first,
    after `fill_bits` zero bits (used to align text behind a user data header)."""
    value = 0
    bits = fill_bits
    for s in septets:
        value |= s << bits
        bits += 7
    return list(value.to_bytes((bits + 7) // 8, "little")) if bits else []


# --- TS 51.011 10.5.1: BCD numbers -------------------------------------------

BCD_DIGITS = {str(d): d for d in range(10)}
BCD_DIGITS.update({"*": 0xA, "#": 0xB, "p": 0xC})


def bcd(digits):
    """Digits two to a byte, first in the low nibble, F filler."""
    nibbles = [BCD_DIGITS[c] for c in digits]
    if len(nibbles) % 2:
        nibbles.append(0xF)
    return [nibbles[i] | nibbles[i + 1] << 4 for i in range(0, len(nibbles), 2)]


def swapped_decimal(value):
    """One semi-octet-swapped byte for a two-digit decimal value."""
    return (value % 10) << 4 | (value // 10)


# --- TS 51.011 10.5.1 and Annex B: alpha identifiers -------------------------

def alpha(name, length, scheme=None, base=None):
    """An alpha identifier of `length` bytes: the GSM default alphabet when
    the name allows it, else the given UCS2 scheme (0x80, 0x81 or 0x82)."""
    if scheme is None:
        if not is_gsm(name):
            raise ValueError(f"{name!r} needs a UCS2 scheme")
        body = gsm_septets(name)
    elif scheme == 0x80:
        body = [0x80]
        for ch in name:
            body += [ord(ch) >> 8, ord(ch) & 0xFF]
    else:
        wide = [ord(c) for c in name if not (ord(c) < 0x80 and is_gsm(c))]
        if scheme == 0x81:
            base = base if base is not None else (min(wide) & 0x7F80)
            assert base & 0x807F == 0, "a 0x81 base pointer has bits 16 and 7..1 clear"
            body = [0x81, len(name), base >> 7]
        else:
            base = base if base is not None else min(wide)
            body = [0x82, len(name), base >> 8, base & 0xFF]
        for ch in name:
            code = ord(ch)
            if code < 0x80 and is_gsm(ch):
                body += gsm_septets(ch)
            else:
                offset = code - base
                if not 0 <= offset < 0x80:
                    raise ValueError(f"{ch!r} lies outside the half-page at {base:04X}")
                body.append(0x80 | offset)
    if len(body) > length:
        raise ValueError(f"{name!r} takes {len(body)} bytes, the field has {length}")
    return body + [0xFF] * (length - len(body))


def dialling_record(record_length, name="", number="", scheme=None, base=None,
                    extension=0xFF, trailer=()):
    """TS 51.011 10.5.1: alpha identifier, BCD length, TON/NPI, 10 bytes of
    number, capability/configuration id, extension id (and for EF BDN one
    more byte, the comparison method pointer, passed in `trailer`).
    Returns the record and the digits that did not fit (for an EXT record)."""
    x = record_length - 14 - len(trailer)
    record = alpha(name, x, scheme, base) if x > 0 else []
    rest = ""
    if number:
        ton_npi = 0x91 if number.startswith("+") else 0x81
        digits = number.lstrip("+")
        head, rest = digits[:20], digits[20:]
        packed = bcd(head)
        record += [min(len(packed) + 1, 11), ton_npi] + packed + [0xFF] * (10 - len(packed))
    else:
        record += [0xFF] * 12
    record += [0xFF, extension] + list(trailer)
    assert len(record) == record_length
    return record, rest


def extension_record(digits, length=13):
    """TS 51.011 10.5.10: type 02 (additional data), length of the BCD part,
    the BCD digits, the id of a next record (FF: none)."""
    packed = bcd(digits)
    assert len(packed) <= length - 3
    return [0x02, len(packed)] + packed + [0xFF] * (length - 3 - len(packed)) + [0xFF]


# --- TS 23.040: short messages ------------------------------------------------

def address(number, type_of_address=None):
    """TS 23.040 9.1.2.5: digit count, type of address, BCD digits; an
    alphanumeric address (TON 101) is packed 7-bit text counted in semi-octets."""
    if number[0].isalpha():
        packed = pack_septets(gsm_septets(number))
        return [len(packed) * 2, 0xD0] + packed
    digits = number.lstrip("+")
    if type_of_address is None:
        type_of_address = 0x91 if number.startswith("+") else 0x81
    return [len(digits), type_of_address] + bcd(digits)


def service_centre(number):
    """TS 24.011 8.2.5.2: length in octets (type of address included)."""
    if not number:
        return [0x00]
    packed = bcd(number.lstrip("+"))
    return [len(packed) + 1, 0x91 if number.startswith("+") else 0x81] + packed


def timestamp(year, month, day, hour, minute, second, quarters):
    """TS 23.040 9.2.3.11: seven semi-octet-swapped bytes; the time zone in
    quarter hours with its sign in bit 3 of the swapped byte."""
    zone = swapped_decimal(abs(quarters)) | (0x08 if quarters < 0 else 0)
    return [swapped_decimal(v) for v in (year % 100, month, day, hour, minute, second)] + [zone]


def user_data(text, coding, header=None):
    """UDL and UD for DCS 00 (7-bit), 04 (8-bit) or 08 (UCS2), with an
    optional user data header (its length octet is added here)."""
    udh = [len(header)] + header if header else []
    if coding == "7bit":
        septets = gsm_septets(text)
        # Fill bits bring the text behind the header to a septet boundary.
        fill = (7 - len(udh) * 8 % 7) % 7
        header_septets = (len(udh) * 8 + fill) // 7
        return 0x00, [header_septets + len(septets)] + udh + pack_septets(septets, fill if udh else 0)
    if coding == "8bit":
        data = list(text.encode("latin-1"))
        return 0x04, [len(udh) + len(data)] + udh + data
    data = list(text.encode("utf-16-be"))
    return 0x08, [len(udh) + len(data)] + udh + data


def deliver(smsc, sender, when, text, coding="7bit", header=None, more=False,
            sender_type=None):
    first = 0x00 | (0x00 if more else 0x04) | (0x40 if header else 0)
    dcs, ud = user_data(text, coding, header)
    return (service_centre(smsc) + [first] + address(sender, sender_type) + [0x00, dcs]
            + timestamp(*when) + ud)


def submit(smsc, destination, text, coding="7bit", reference=0, validity=None,
           status_report=False):
    first = 0x01 | (0x10 if validity is not None else 0) | (0x20 if status_report else 0)
    dcs, ud = user_data(text, coding)
    vp = [validity] if validity is not None else []
    return service_centre(smsc) + [first, reference] + address(destination) + [0x00, dcs] + vp + ud


def sms_record(status, tpdu_with_smsc, length=176):
    """TS 51.011 10.5.3: status byte, then the SMSC address and TPDU, FF padding."""
    record = [status] + tpdu_with_smsc
    assert len(record) <= length, f"message of {len(record)} bytes"
    return record + [0xFF] * (length - len(record))


# --- TS 51.011 10.3: identity files ------------------------------------------

def luhn_completed(digits):
    total = 0
    for i, d in enumerate(reversed(digits)):
        v = int(d) * (2 if i % 2 == 0 else 1)
        total += v - 9 if v > 9 else v
    return digits + str((10 - total % 10) % 10)


def iccid(digits):
    """TS 51.011 10.1.1: BCD, low nibble first, F filler; 10 bytes."""
    packed = bcd(digits)
    return packed + [0xFF] * (10 - len(packed))


def imsi(digits):
    """TS 51.011 10.3.2: length, then parity/type nibble 9 (odd count) or 1
    (even) below the first digit, then the remaining digits low nibble first."""
    parity = 0x9 if len(digits) % 2 else 0x1
    nibbles = [parity] + [int(d) for d in digits]
    if len(nibbles) % 2:
        nibbles.append(0xF)
    body = [nibbles[i] | nibbles[i + 1] << 4 for i in range(0, len(nibbles), 2)]
    return [len(body)] + body + [0xFF] * (8 - len(body))


def plmn(mcc, mnc):
    """TS 24.008 10.5.1.3: MCC digit 2|1, MNC digit 3|MCC digit 3, MNC 2|1."""
    d = [int(c) for c in mcc]
    m = [int(c) for c in mnc] + ([0xF] if len(mnc) == 2 else [])
    return [d[1] << 4 | d[0], m[2] << 4 | d[2], m[1] << 4 | m[0]]


def spn(name, show_home_network=True, length=17):
    """TS 51.011 10.3.11: display condition, then the name in the default alphabet."""
    return [0x01 if show_home_network else 0x00] + alpha(name, length - 1)


def service_table(services, length):
    """TS 51.011 10.3.7: two bits per service, allocated and activated."""
    table = [0] * length
    for n in services:
        table[(n - 1) // 4] |= 0b11 << ((n - 1) % 4 * 2)
    return table


# --- The iDEN book (directory 7F31) -------------------------------------------

IDEN_NUMBER_TYPES = {"main": 0, "home": 2, "work": 3, "mobile": 4, "fax": 5,
                     "pager": 6, "other": 9}


def private_id(urban, fleet, member):
    """A 40-bit UFMI: urban class, fleet class, urban, fleet, member numbers."""
    urban_limits = [1023, 16383, 131071, 1048575]
    urban_class = next(i for i, v in enumerate(urban_limits) if urban <= v)
    shift = [25, 21, 18, 15][urban_class]
    fleet_limits = [15, 127, 1023, 16383, 131071, 1048575]
    fleet_class = next(i for i, v in enumerate(fleet_limits) if fleet <= v)
    member_bits = shift - [4, 7, 10, 14, 17, 20][fleet_class]
    assert member_bits > 4 and member < 1 << member_bits
    value = (urban_class << 38 | fleet_class << 35 | urban << shift
             | fleet << member_bits | member)
    return list(value.to_bytes(5, "big"))


def iden_value_record(length, name, contact, kind, value, continuation=0):
    r = [0] * length
    raw = name.encode("latin-1")[: length - 39]
    r[0:len(raw)] = raw
    r[length - 39] = 0xFF
    if kind in IDEN_NUMBER_TYPES:
        digits = value.lstrip("+")
        packed = bcd(digits)
        r[length - 39] = (len(digits) + 1) // 2 + 1
        r[length - 38] = 0x91 if value.startswith("+") else 0x81
        r[length - 37:length - 27] = packed + [0xFF] * (10 - len(packed))
        kind_code = IDEN_NUMBER_TYPES[kind]
    elif kind == "private id":
        r[length - 37:length - 32] = private_id(*value)
        kind_code = 1
    elif kind == "talkgroup":
        r[length - 34] = value
        kind_code = 7
    elif kind == "chat":
        r[length - 37:length - 33] = [int(p) for p in value.split(".")]
        kind_code = 8
    elif kind == "email":
        head = list(value.encode("latin-1")[:10])
        r[length - 37:length - 37 + len(head)] = head
        r[length - 26] = continuation
        kind_code = 10
    r[length - 25] = kind_code
    r[length - 15] = 0x80
    r[length - 9:length - 7] = [contact >> 8, contact & 0xFF]
    return r


# --- Checks against published worked examples ---------------------------------

def check_examples():
    # TS 23.038: "hellohello" packed into nine octets.
    assert pack_septets(gsm_septets("hellohello")) == [
        0xE8, 0x32, 0x9B, 0xFD, 0x46, 0x97, 0xD9, 0xEC, 0x37]
    # A widely published SMS-DELIVER: centre +27381000015, originator
    # 27838890001 with type of address C8, 99-03-29 15:16:59 +02:00, "hellohello".
    pdu = bytes.fromhex("07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37")
    assert deliver("+27381000015", "27838890001", (99, 3, 29, 15, 16, 59, 8),
                   "hellohello", sender_type=0xC8) == list(pdu)
    # TS 51.011 Annex B example 3: "-" U+0532 U+0583 "-" "1" on base 0530.
    assert alpha("-\u0532\u0583-1", 9, 0x82, 0x0530) == [
        0x82, 0x05, 0x05, 0x30, 0x2D, 0x82, 0xD3, 0x2D, 0x31]
    # Annex B scheme 2 with the half-page 0980: "S" U+0995 U+09A6.
    assert alpha("S\u0995\u09A6", 6, 0x81) == [0x81, 0x03, 0x13, 0x53, 0x95, 0xA6]
    # Annex B scheme 1: UCS2 big-endian, FF in unused bytes.
    assert alpha("S\u0995", 7, 0x80) == [0x80, 0x00, 0x53, 0x09, 0x95, 0xFF, 0xFF]
    # TS 51.011 10.3.2 and 10.1.1, and TS 24.008 10.5.1.3.
    assert imsi("262011234567890") == [0x08, 0x29, 0x26, 0x10, 0x21, 0x43, 0x65, 0x87, 0x09]
    assert iccid("8901234567890123456") == [0x98, 0x10, 0x32, 0x54, 0x76, 0x98, 0x10,
                                            0x32, 0x54, 0xF6]
    assert plmn("262", "01") == [0x62, 0xF2, 0x10]
    assert luhn_completed("7992739871") == "79927398713"


# --- The cards -------------------------------------------------------------------

# (record, name, number, scheme, base); None scheme: default alphabet.
ADN_CONTACTS = [
    (1, "Alice Morgan", "+447700900101", None, None),
    (2, "Bob Harris", "+447700900102", None, None),
    (3, "Charlotte Reed", "+447700900103", None, None),
    (4, "Daniel Wright", "+442079460001", None, None),
    (5, "Emma Clarke", "07700900105", None, None),
    (6, "Home", "01632960001", None, None),
    (7, "Office", "+441632960002", None, None),
    (8, "Mum", "07700900108", None, None),
    (9, "Dad", "07700900109", None, None),
    (10, "Dr. Patel", "+441632960010", None, None),
    (11, "Renée Dubois", "+33199001234", None, None),
    (12, "Jürgen Schäfer", "+493012345678", None, None),
    (13, "Søren Ødegård", "+4512345678", None, None),
    (14, "José Núñez", "+34600000014", 0x81, 0x0080),
    (15, "Zoë Clarke", "+447700900115", 0x81, 0x0080),
    (16, "François", "+33199001235", 0x81, 0x0080),
    (17, "Иван Петров", "+74951234567", 0x81, None),
    (18, "Оля", "+79161234567", 0x80, None),
    (19, "Наташа", "+79031234567", 0x82, 0x0410),
    (20, "Άννα Νίκου", "+302101234567", 0x81, None),
    (21, "Γιώργος", "+306912345678", 0x82, None),
    (22, "Ελένη", "+306971234567", 0x80, None),
    (23, "王小明", "+8613812345678", 0x80, None),
    (24, "Łucja", "+48501234567", 0x80, None),
    (25, "山田花子", "+819012345678", 0x80, None),
    (26, "Pizza Express", "01632960127", None, None),
    (27, "Taxi", "01632960128", None, None),
    (28, "Bank", "+441632960129", None, None),
    (29, "Dentist", "01632960130", None, None),
    (30, "Gym", "01632960131", None, None),
    (31, "Work Reception", "+442079460132", None, None),
    (32, "Conference", "+442079460133p123456789#", None, None),
    (33, "US Office", "+12025550134", None, None),
    (34, "Sydney Mate", "+61491570156", None, None),
    (35, "Paris Hotel", "+33199001236", None, None),
    (36, "Balance", "*#1345#", None, None),
    (37, "Divert to Mum", "**21*07700900108#", None, None),
    (38, "Emergency", "112", None, None),
    (39, "Lily O'Brien", "+353871234567", None, None),
    (40, "Max_Power", "07700900141", None, None),
    (41, "Kim @ Work", "07700900142", None, None),
    (42, "Just a name", "", None, None),
    (43, "", "+447700900199", None, None),
    (120, "Plumber", "01632960150", None, None),
    (250, "Last Entry", "+447700900250", None, None),
]
ADN_EXT1_RECORD = 3  # the record of EF EXT1 that holds the rest of "Conference"

SMSC = "+447785016005"
MCC, MNC = "234", "15"


def adn_records(record_length, ext_record=ADN_EXT1_RECORD):
    """The ADN records, and the EXT1 records the long numbers need."""
    records, extensions = {}, {}
    for number, name, digits, scheme, base in ADN_CONTACTS:
        x = record_length - 14
        shown = name
        if x < 14:  # a shorter alpha field: cut names in the default alphabet
            shown = name[:x] if scheme is None else ""
        try:
            record, rest = dialling_record(record_length, shown, digits, scheme, base)
        except ValueError:
            record, rest = dialling_record(record_length, "", digits)
        if rest:
            record, _ = dialling_record(record_length, shown, digits, scheme, base,
                                        extension=ext_record)
            extensions[ext_record] = extension_record(rest)
        records[number] = record
    return records, extensions


def sms_records():
    long_text = ("The quarterly report is ready for review. Please check the figures in "
                 "section three before Friday, and send me your comments on the forecast. "
                 "We will present it to the board on Monday morning at nine.")
    part1, part2 = long_text[:153], long_text[153:]
    ud_header = lambda seq: [0x00, 0x03, 0x5A, 0x02, seq]  # concatenation, 8-bit reference
    messages = {
        1: (0x01, deliver(SMSC, "+447700900101", (25, 3, 14, 12, 5, 33, 0),
                          "Hi! Are we still on for lunch tomorrow?")),
        2: (0x01, deliver(SMSC, "+447700900102", (25, 3, 14, 18, 41, 2, 0),
                          "Running 10 min late, sorry.")),
        3: (0x03, deliver(SMSC, "InfoText", (25, 3, 15, 9, 0, 0, 0),
                          "Your balance is £4.20. Top up at any shop.")),
        4: (0x01, deliver(SMSC, "+306912345678", (25, 3, 16, 8, 15, 47, 8),
                          "Καλημέρα! Τι κάνεις;", "ucs2")),
        5: (0x03, deliver(SMSC, "+74951234567", (25, 3, 16, 10, 2, 11, 12),
                          "Привет! Как дела?", "ucs2")),
        6: (0x01, deliver(SMSC, "+493012345678", (25, 3, 17, 14, 30, 0, 4),
                          "Grüße aus Berlin", "8bit")),
        7: (0x01, deliver(SMSC, "+447700900103", (25, 3, 18, 16, 20, 5, 0), part1,
                          header=ud_header(1))),
        8: (0x01, deliver(SMSC, "+447700900103", (25, 3, 18, 16, 20, 6, 0), part2,
                          header=ud_header(2))),
        9: (0x05, submit(SMSC, "+447700900101", "Yes! See you at 12:30 at the usual place.",
                         reference=0x17, validity=0xA7)),
        11: (0x05, submit(SMSC, "+8613812345678", "你好，明天见！", "ucs2", reference=0x18,
                          validity=0xA7)),
        12: (0x07, submit("", "+447700900103", "Don't forget the tickets, meet me @")),
        13: (0x07, submit("", "+33199001234", "Café crème à 8h ?", "8bit")),
        14: (0x00, deliver(SMSC, "+447700900105", (25, 2, 28, 19, 44, 0, 0),
                           "Can you call me back?")),
        15: (0x00, submit(SMSC, "07700900109", "Happy birthday Dad!", reference=0x09,
                          validity=0xA7)),
        16: (0x01, deliver(SMSC, "+447700900115", (25, 3, 19, 20, 1, 59, 0),
                           "Tickets: 15€ each [VAT incl.] {ok?}")),
        17: (0x03, deliver(SMSC, "MyBank", (25, 3, 20, 7, 58, 30, 0),
                           "Your code is 482913. Do not share it.")),
        18: (0x01, deliver(SMSC, "+819012345678", (25, 3, 20, 23, 11, 0, 36),
                           "こんにちは、元気ですか？", "ucs2")),
        19: (0x05, submit(SMSC, "+447700900108", "Home by 6.", reference=0x19,
                          status_report=True)),
        20: (0x07, submit("", "+306971234567", "Ευχαριστώ πολύ!", "ucs2")),
        22: (0x01, deliver(SMSC, "+12025550134", (25, 3, 21, 15, 0, 0, -20),
                           "Meeting moved to 3pm EST.")),
    }
    records = {}
    for number in range(1, 31):
        if number in messages:
            status, body = messages[number]
            records[number] = sms_record(status, body)
        else:
            records[number] = [0x00] + [0xFF] * 175  # free
    return records


IDEN_RECORD = 56
IDEN_RECORDS = 20
EMAIL_RECORD = 32
EMAIL_RECORDS = 10

# (global record number, contact, name, kind, value)
IDEN_VALUES = [
    (1, 1, "Dispatch Center", "main", "+12025550100"),
    (2, 1, "Dispatch Center", "private id", (100, 20, 300)),
    (3, 1, "Dispatch Center", "talkgroup", 12),
    (4, 1, "Dispatch Center", "email", "operations-and-logistics@fleet.example.net"),
    (5, 2, "Maria Lopez", "mobile", "+12025550147"),
    (6, 2, "Maria Lopez", "home", "+12025550148"),
    (7, 2, "Maria Lopez", "email", "maria@example.com"),
    (8, 2, "Maria Lopez", "chat", "10.0.0.1"),
    (21, 3, "Tom Becker", "work", "+12025550150"),
    (22, 3, "Tom Becker", "fax", "+12025550151"),
    (23, 3, "Tom Becker", "pager", "2025550152"),
    (24, 3, "Tom Becker", "other", "*86"),
    (25, 4, "Field Team 7", "private id", (2000, 500, 1500)),
    (26, 4, "Field Team 7", "talkgroup", 200),
    (27, 4, "Field Team 7", "email", "team7@ex.io"),
    (41, 5, "Ana", "private id", (5, 3, 17)),
    (45, 5, "Ana", "mobile", "+12025550160"),
]


def iden_files():
    """The three value files and the e-mail continuation file 6F26."""
    files = {0x6F2A: {}, 0x6F2B: {}, 0x6F2C: {}}
    email = {}
    next_free = 1
    for number, contact, name, kind, value in IDEN_VALUES:
        continuation = 0
        if kind == "email" and len(value) > 10:
            rest = list(value.encode("latin-1")[10:])
            continuation = next_free
            chunks = [rest[i:i + EMAIL_RECORD - 1] for i in range(0, len(rest), EMAIL_RECORD - 1)]
            for k, chunk in enumerate(chunks):
                following = next_free + 1 if k + 1 < len(chunks) else 0
                email[next_free] = (chunk + [0] * (EMAIL_RECORD - 1 - len(chunk))
                                    + [following])
                next_free += 1
        file_id = [0x6F2A, 0x6F2B, 0x6F2C][(number - 1) // IDEN_RECORDS]
        local = (number - 1) % IDEN_RECORDS + 1
        files[file_id][local] = iden_value_record(IDEN_RECORD, name, contact, kind, value,
                                                  continuation)
    # Free records hold zeros: a contact number of 0 marks them free.
    for records in files.values():
        for k in range(1, IDEN_RECORDS + 1):
            records.setdefault(k, [0] * IDEN_RECORD)
    for k in range(1, EMAIL_RECORDS + 1):
        email.setdefault(k, [0] * EMAIL_RECORD)
    files[0x6F26] = email
    return files


# --- TS 31.102 4.4.2: the USIM phone book (DF PHONEBOOK 5F3A) -----------------

# Tags of the files in EF PBR records (4.4.2.1).
PBR_TAGS = {"ADN": 0xC0, "IAP": 0xC1, "EXT1": 0xC2, "SNE": 0xC3, "ANR": 0xC4,
            "PBC": 0xC5, "GRP": 0xC6, "UID": 0xC9, "EMAIL": 0xCA}
PBR_TYPES = {1: 0xA8, 2: 0xA9, 3: 0xAA}
PBR_RECORD = 64
PB_ADN_RECORD = 28        # X = 14
PB_SNE_ALPHA = 14
PB_EMAIL_ALPHA = 30
PB_EXT1_RECORDS = 10


def pbr_record(files, length=PBR_RECORD):
    """One EF PBR record: for each file type a constructed TLV ('A8', 'A9',
    'AA') of file TLVs (tag, length 3, file id, SFI); unused bytes FF."""
    record = []
    for kind in (1, 2, 3):
        body = []
        for label, file_id, sfi, file_kind in files:
            if file_kind == kind:
                body += [PBR_TAGS[label], 0x03, file_id >> 8, file_id & 0xFF, sfi]
        if body:
            record += [PBR_TYPES[kind], len(body)] + body
    assert len(record) <= length
    return record + [0xFF] * (length - len(record))


def anr_record(number, type2_link=None):
    """4.4.2.9: AAS record id (FF: none), then the number part of an ADN
    record (length, TON/NPI, 10 BCD bytes, CCP1 id, EXT1 id); a type 2 record
    adds the SFI of EF ADN and the ADN record it belongs to."""
    part, rest = dialling_record(14, "", number)
    assert not rest
    return [0xFF] + part + (list(type2_link) if type2_link else [])


def text_record(text, alpha_length, type2_link=None):
    """4.4.2.10 (SNE) and 4.4.2.13 (EMAIL): the text coded as an alpha
    identifier; a type 2 record adds the ADN file's SFI and record id."""
    return alpha(text, alpha_length) + (list(type2_link) if type2_link else [])


def usim_contacts(count, offset=0):
    """Generated contacts for the large book: every third with an e-mail,
    every fifth with a second number, every seventh with a second name."""
    contacts = []
    for k in range(1, count + 1):
        n = k + offset
        contacts.append(dict(
            record=k, name=f"Contact {n:03d}", number=f"+4477009{n:05d}",
            email=f"contact{n}@mail.example" if n % 3 == 0 else "",
            anr=f"01632{n:06d}" if n % 5 == 0 else "",
            sne=f"Nick {n}" if n % 7 == 0 else ""))
    return contacts


# (record, name, number, second number, e-mail, second name)
USIM_CONTACTS = [
    (1, "Alice Morgan", "+447700900101", "+441632960101", "alice@example.com", "Ali"),
    (2, "Bob Harris", "+447700900102", "", "bob.harris@example.org", ""),
    (3, "Charlotte Reed", "+447700900103", "01632960103", "", "Lottie"),
    (4, "Daniel Wright", "+442079460001", "", "", ""),
    (5, "Renée Dubois", "+33199001234", "+33199001299", "renee_d@example.fr", ""),
    (6, "Иван Петров", "+74951234567", "", "ivan@example.ru", "Ваня"),
    (7, "Conference", "+442079460133p123456789#", "", "", ""),
    (8, "Just a name", "", "", "", ""),
    (9, "", "+447700900199", "", "", ""),
    (12, "Plumber", "01632960150", "07700900151", "fix-it@plumbing.example", ""),
    (40, "Mail only", "07700900140", "", "only@mail.example", ""),
]


def name_alpha(name, x):
    return alpha(name, x) if is_gsm(name) else alpha(name, x, 0x81)


def usim_book_files(layout):
    """The files of DF PHONEBOOK for one layout:
    "type1"  - one PBR record, SNE, ANR and EMAIL of type 1 (250 ADN records);
    "type2"  - one PBR record, EMAIL and the second number (ANR) of type 2
               through EF IAP, SNE of type 1 (100 ADN records);
    "twice"  - two PBR records of 250 ADN records each, 500 contacts, EMAIL of
               type 2 and SNE, ANR of type 1 in each.
    Returns {file id: (label, kind, length, records or None, contents)}."""
    files = {}
    ext1 = {}
    next_ext = [1]

    def dialling(number, length):
        record, rest = dialling_record(length, "", number)
        if rest:
            record, _ = dialling_record(length, "", number, extension=next_ext[0])
            ext1[next_ext[0]] = extension_record(rest)
            next_ext[0] += 1
        return record

    if layout == "twice":
        sets = [(usim_contacts(250), 250, 0), (usim_contacts(250, 250), 250, 1)]
    else:
        contacts = [dict(record=r, name=n, number=num, anr=anr, email=mail, sne=sne)
                    for r, n, num, anr, mail, sne in USIM_CONTACTS]
        sets = [(contacts, 250 if layout == "type1" else 100, 0)]

    pbr = {}
    uid_next = 1
    for contacts, adn_records, index in sets:
        ids = dict(ADN=0x4F3A + index, PBC=0x4F09 + index, UID=0x4F20 + 8 * index,
                   IAP=0x4F25 + 2 * index, SNE=0x4F19 + index, ANR=0x4F11 + 2 * index,
                   ANR2=0x4F12 + 2 * index, EMAIL=0x4F50 + index)
        adn_sfi = 0x01 + 8 * index
        sfi = dict(ADN=adn_sfi, PBC=adn_sfi + 1, UID=adn_sfi + 2, IAP=adn_sfi + 3,
                   SNE=adn_sfi + 4, ANR=adn_sfi + 5, ANR2=adn_sfi + 6, EMAIL=adn_sfi + 7)
        type2 = {"type1": [], "type2": ["EMAIL", "ANR2"], "twice": ["EMAIL"]}[layout]
        entries = [("ADN", "ADN", 1), ("PBC", "PBC", 1), ("UID", "UID", 1)]
        if type2:
            entries.append(("IAP", "IAP", 1))
        entries += [("SNE", "SNE", 1)]
        entries += [("ANR", "ANR", 1)] if layout != "type2" else []
        entries += [("EMAIL", "EMAIL", 1)] if layout == "type1" else []
        entries += [(key, "ANR" if key == "ANR2" else key, 2) for key in type2]
        listed = [(label, ids[key], sfi[key], kind) for key, label, kind in entries]
        listed.append(("EXT1", 0x4F4A, 0x1E, 3))
        pbr[index + 1] = pbr_record(listed)

        adn, pbc, uid, iap, sne, anr, email, anr2 = ({} for _ in range(8))
        free2 = {"EMAIL": 1, "ANR2": 1}
        for c in contacts:
            r = c["record"]
            record = name_alpha(c["name"], PB_ADN_RECORD - 14) if c["name"] else [0xFF] * 14
            adn[r] = record + dialling(c["number"], 14) if c["number"] else record + [0xFF] * 14
            pbc[r] = [0x00, 0x00]
            uid[r] = [uid_next >> 8, uid_next & 0xFF]
            uid_next += 1
            link = [adn_sfi, r]
            pointers = []
            if c["sne"]:
                sne[r] = name_alpha(c["sne"], PB_SNE_ALPHA)
            for key in type2:
                value = c["email"] if key == "EMAIL" else c["anr"]
                if value:
                    at = free2[key]
                    free2[key] += 1
                    if key == "EMAIL":
                        email[at] = text_record(value, PB_EMAIL_ALPHA, link)
                    else:
                        anr2[at] = anr_record(value, link)
                    pointers.append(at)
                else:
                    pointers.append(0xFF)
            if type2:
                iap[r] = pointers
            if "EMAIL" not in type2 and c["email"]:
                email[r] = text_record(c["email"], PB_EMAIL_ALPHA)
            if layout != "type2" and c["anr"]:
                anr[r] = anr_record(c["anr"])
        files[ids["ADN"]] = ("ADN", "linear fixed", PB_ADN_RECORD, adn_records, adn)
        files[ids["PBC"]] = ("PBC", "linear fixed", 2, adn_records, pbc)
        files[ids["UID"]] = ("UID", "linear fixed", 2, adn_records, uid)
        if type2:
            files[ids["IAP"]] = ("IAP", "linear fixed", len(type2), adn_records, iap)
        files[ids["SNE"]] = ("SNE", "linear fixed", PB_SNE_ALPHA, adn_records, sne)
        if layout != "type2":
            files[ids["ANR"]] = ("ANR", "linear fixed", 15, adn_records, anr)
        email_length = PB_EMAIL_ALPHA + (2 if "EMAIL" in type2 else 0)
        email_records = adn_records if "EMAIL" not in type2 else adn_records // 2
        files[ids["EMAIL"]] = ("EMAIL", "linear fixed", email_length, email_records, email)
        if "ANR2" in type2:
            files[ids["ANR2"]] = ("ANR", "linear fixed", 17, adn_records // 2, anr2)
    files[0x4F30] = ("PBR", "linear fixed", PBR_RECORD, len(pbr), pbr)
    files[0x4F4A] = ("EXT1", "linear fixed", 13, PB_EXT1_RECORDS, ext1)
    # 4.4.2.12 PSC, CC, PUID: synchronisation counter, change counter and the
    # last unique identifier handed out.
    files[0x4F22] = ("PSC", "transparent", 4, None, [0x00, 0x00, 0x00, 0x01])
    files[0x4F23] = ("CC", "transparent", 2, None, [0x00, 0x00])
    last = uid_next - 1
    files[0x4F24] = ("PUID", "transparent", 2, None, [last >> 8, last & 0xFF])
    return files


def add_usim_book(profile, layout):
    profile.section("3F00/7F10/5F3A", f"DF PHONEBOOK, layout {layout}")
    profile.key("Type", "DF")
    for file_id, (label, structure, length, records, contents) in sorted(
            usim_book_files(layout).items()):
        path = f"3F00/7F10/5F3A/{file_id:04X}"
        update = "ADM" if label == "PBR" else "CHV1"
        if structure == "transparent":
            ef(profile, path, label, structure, "CHV1", update, size=length, data=contents)
        else:
            ef(profile, path, label, structure, "CHV1", update, record_length=length,
               records=records, contents=contents)


# --- Profile text ----------------------------------------------------------------

def hexs(data):
    return "".join(f"{b:02X}" for b in data)


class Profile:
    def __init__(self, header):
        self.lines = [f"; {line}" if line else ";" for line in header]

    def section(self, name, *comment):
        self.lines.append("")
        self.lines += [f"; {c}" for c in comment]
        self.lines.append(f"[{name}]")

    def key(self, key, value):
        self.lines.append(f"{key}={value}")

    def text(self):
        return "\r\n".join(self.lines) + "\r\n"


def ef(profile, path, name, structure, read, update, invalidate="ADM", rehabilitate="ADM",
       size=None, record_length=None, records=None, data=None, contents=None, increase=None,
       comment=()):
    profile.section(path, *comment)
    profile.key("Type", "EF")
    profile.key("Name", name)
    profile.key("Structure", structure)
    if structure == "transparent":
        profile.key("Size", size)
    else:
        profile.key("RecordLength", record_length)
        profile.key("Records", records)
    profile.key("Read", read)
    profile.key("Update", update)
    if increase:
        profile.key("Increase", increase)
    profile.key("Invalidate", invalidate)
    profile.key("Rehabilitate", rehabilitate)
    if data is not None and any(b != 0xFF for b in data):
        profile.key("Data", hexs(data))
    for number in sorted(contents or {}):
        record = contents[number]
        assert len(record) == record_length, (path, number)
        if any(b != 0xFF for b in record):
            profile.key(str(number), hexs(record))


USIM_AID = [0xA0, 0x00, 0x00, 0x00, 0x87, 0x10, 0x02, 0xFF, 0x44, 0xFF, 0x12, 0x89,
            0x00, 0x00, 0x01, 0x00]


def application_template(aid, label, length):
    """An EF DIR record (TS 102 221 13.1): tag 61 with the AID (4F) and label (50)."""
    name = label.encode("ascii")
    body = [0x4F, len(aid)] + list(aid) + [0x50, len(name)] + list(name)
    record = [0x61, len(body)] + body
    assert len(record) <= length
    return record + [0xFF] * (length - len(record))


def subscriber_files(profile, base, with_spn, usim):
    """IMSI, SPN, AD, service table, ACC, FPLMN and LOCI of DF GSM or of the USIM
    (which has no phase file)."""
    subscriber = MCC + MNC + "7300481516"
    ef(profile, f"{base}/6F07", "IMSI", "transparent", "CHV1", "ADM", rehabilitate="CHV1",
       size=9, data=imsi(subscriber), comment=[f"IMSI {subscriber}"])
    if with_spn:
        ef(profile, f"{base}/6F46", "SPN", "transparent", "ALW", "ADM", size=17,
           data=spn("Demo Mobile"))
    if not usim:
        ef(profile, f"{base}/6FAE", "Phase", "transparent", "ALW", "ADM", size=1, data=[0x02])
    ef(profile, f"{base}/6FAD", "AD", "transparent", "ALW", "ADM", size=4,
       data=[0x00, 0x00, 0x00, 0x02])
    services = [1, 2, 3, 4, 9, 10, 11, 13, 17, 18, 19, 31, 32]
    ef(profile, f"{base}/6F38", "UST" if usim else "SST", "transparent", "CHV1", "ADM", size=8,
       data=service_table(services, 8))
    ef(profile, f"{base}/6F78", "ACC", "transparent", "CHV1", "ADM", size=2,
       data=[0x00, 0x10])
    ef(profile, f"{base}/6F7B", "FPLMN", "transparent", "CHV1", "CHV1", size=12,
       data=[0xFF] * 12)
    loci = [0x2A, 0x4D, 0x91, 0xC3] + plmn(MCC, MNC) + [0x0B, 0xB8, 0xFF, 0x00]
    ef(profile, f"{base}/6F7E", "LOCI", "transparent", "CHV1", "CHV1", rehabilitate="CHV1",
       size=11, data=loci, comment=[f"TMSI, LAI {MCC} {MNC} LAC 0BB8, updated"])


def build_card(title, *, blank=False, with_iden=True, with_spn=True, chv1_enabled=True,
               chv1_attempts=3, unblock1_attempts=10, chv2_attempts=3, with_chv2=True,
               adn_length=28, adn_invalidated=False, worn_memory=False, uicc=None,
               with_gsm_df=True, usim_book=None):
    profile = Profile(title)
    contents = (lambda records: {}) if blank else (lambda records: records)

    profile.section("Card")
    profile.key("ATR", "3B 1A 11 56 49 52 54 55 41 4C 53 49 4D")
    profile.key("FileCharacteristics", "11")
    if uicc:
        profile.key("Personality", "UICC")
        profile.key("ClassA0", uicc)
    profile.key("CHV1", "1234")
    profile.key("CHV1Attempts", chv1_attempts)
    profile.key("CHV1Enabled", 1 if chv1_enabled else 0)
    profile.key("UnblockCHV1", "12345678")
    profile.key("UnblockCHV1Attempts", unblock1_attempts)
    if with_chv2:
        profile.key("CHV2", "5678")
        profile.key("CHV2Attempts", chv2_attempts)
        profile.key("UnblockCHV2", "87654321")
        profile.key("UnblockCHV2Attempts", 10)

    profile.section("3F00", "Master file")
    profile.key("Type", "MF")
    profile.key("FreeMemory", 2048)
    card_number = luhn_completed("894415" + "0012345678" + "21")
    ef(profile, "3F00/2FE2", "ICCID", "transparent", "ALW", "NEV", size=10,
       data=iccid(card_number), comment=[f"ICCID {card_number}"])

    if uicc:
        ef(profile, "3F00/2F00", "DIR", "linear fixed", "ALW", "ADM", record_length=32,
           records=2, contents={1: application_template(USIM_AID, "USIM", 32)},
           comment=["The applications of the UICC: one USIM"])
    if with_gsm_df:
        profile.section("3F00/7F20", "DF GSM")
        profile.key("Type", "DF")
        subscriber_files(profile, "3F00/7F20", with_spn, usim=False)
    if uicc:
        profile.section("3F00/7FFF", "ADF USIM, selected by its AID or as 7FFF")
        profile.key("Type", "DF")
        profile.key("AID", hexs(USIM_AID))
        subscriber_files(profile, "3F00/7FFF", with_spn, usim=True)

    profile.section("3F00/7F10", "DF TELECOM")
    profile.key("Type", "DF")
    adn, ext1 = adn_records(adn_length)
    ef(profile, "3F00/7F10/6F3A", "ADN", "linear fixed", "CHV1", "CHV1", "CHV2", "CHV2",
       record_length=adn_length, records=250, contents=contents(adn))
    if adn_invalidated:
        profile.key("Invalidated", 1)
    if worn_memory:
        profile.key("UpdateRetries", 2)
    fdn = {1: dialling_record(28, "Home", "01632960001")[0],
           2: dialling_record(28, "Mum", "07700900108")[0],
           3: dialling_record(28, "Emergency", "112")[0],
           4: dialling_record(28, "Any 07700 900", "+447700900")[0]}
    ef(profile, "3F00/7F10/6F3B", "FDN", "linear fixed", "CHV1", "CHV2", record_length=28,
       records=10, contents=contents(fdn))
    ef(profile, "3F00/7F10/6F3C", "SMS", "linear fixed", "CHV1", "CHV1", record_length=176,
       records=30, contents=contents(sms_records()))
    if worn_memory:
        profile.key("MemoryProblem", 1)
    msisdn = {1: dialling_record(28, "My number", "+447700900001")[0]}
    ef(profile, "3F00/7F10/6F40", "MSISDN", "linear fixed", "CHV1", "CHV1", record_length=28,
       records=2, contents=contents(msisdn))
    lnd = {1: dialling_record(28, "", "07700900102")[0],
           2: dialling_record(28, "Alice Morgan", "+447700900101")[0],
           3: dialling_record(28, "", "+442079460001")[0]}
    ef(profile, "3F00/7F10/6F44", "LND", "cyclic", "CHV1", "CHV1", record_length=28,
       records=10, contents=contents(lnd), comment=["Record 1 is the number dialled last"])
    sdn = {1: dialling_record(28, "Voicemail", "121")[0],
           2: dialling_record(28, "Customer Care", "191")[0],
           3: dialling_record(28, "Balance", "*#1345#")[0]}
    ef(profile, "3F00/7F10/6F49", "SDN", "linear fixed", "CHV1", "ADM", record_length=28,
       records=10, contents=contents(sdn))
    bdn = {1: dialling_record(29, "Premium line", "09098790999", trailer=[0xFF])[0]}
    ef(profile, "3F00/7F10/6F4D", "BDN", "linear fixed", "CHV1", "CHV2", "CHV1", "CHV2",
       record_length=29, records=10, contents=contents(bdn),
       comment=["Records of X+15 bytes: the last is the comparison method pointer"])
    ef(profile, "3F00/7F10/6F4A", "EXT1", "linear fixed", "CHV1", "CHV1", record_length=13,
       records=10, contents=contents(ext1))
    ef(profile, "3F00/7F10/6F4B", "EXT2", "linear fixed", "CHV1", "CHV2", record_length=13,
       records=10)
    ef(profile, "3F00/7F10/6F4C", "EXT3", "linear fixed", "CHV1", "ADM", record_length=13,
       records=10)
    ef(profile, "3F00/7F10/6F4E", "EXT4", "linear fixed", "CHV1", "CHV2", record_length=13,
       records=10)

    if with_iden:
        profile.section("3F00/7F31", "DF of the iDEN phone book")
        profile.key("Type", "DF")
        files = iden_files()
        for file_id, label in [(0x6F2A, "values 1-20"), (0x6F2B, "values 21-40"),
                               (0x6F2C, "values 41-60")]:
            ef(profile, f"3F00/7F31/{file_id:04X}", label, "linear fixed", "CHV1", "CHV1",
               record_length=IDEN_RECORD, records=IDEN_RECORDS,
               contents=contents(files[file_id]))
        ef(profile, "3F00/7F31/6F26", "e-mail continuation", "linear fixed", "CHV1", "CHV1",
           record_length=EMAIL_RECORD, records=EMAIL_RECORDS, contents=contents(files[0x6F26]))
    if usim_book:
        add_usim_book(profile, usim_book)
    return profile.text()


def main():
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2]
    check_examples()
    generated = "Written by virtualsim/tools/make_cards.py; edit freely, keys are in README.md."
    cards = {
        root / "data/cards/demo.simcard": build_card(
            ["Demo card: a GSM SIM of network 234 15 with phone books, messages",
             "and an iDEN book. PIN1 1234, PUK1 12345678, PIN2 5678, PUK2 87654321.",
             generated]),
    }
    tests = root / "tests/data/cards"
    variants = {
        "blank": ("The demo layout with every record FF (identity files kept).",
                  dict(blank=True)),
        "no-iden": ("The demo card without the iDEN directory 7F31.", dict(with_iden=False)),
        "no-spn": ("The demo card without EF SPN.", dict(with_spn=False)),
        "chv1-disabled": ("The demo card with CHV1 disabled.", dict(chv1_enabled=False)),
        "chv1-blocked": ("The demo card with CHV1 blocked (UNBLOCK CHV1 has 10 attempts).",
                         dict(chv1_attempts=0)),
        "chv1-and-unblock-blocked": ("CHV1 and UNBLOCK CHV1 both blocked.",
                                     dict(chv1_attempts=0, unblock1_attempts=0)),
        "chv2-blocked": ("The demo card with CHV2 blocked.", dict(chv2_attempts=0)),
        "no-chv2": ("The demo card without CHV2 and UNBLOCK CHV2.", dict(with_chv2=False)),
        "adn-14": ("ADN records of 14 bytes: numbers only.", dict(adn_length=14)),
        "adn-30": ("ADN records of 30 bytes.", dict(adn_length=30)),
        "adn-32": ("ADN records of 32 bytes.", dict(adn_length=32)),
        "fdn-mode": ("ADN invalidated, as when fixed dialling is on.",
                     dict(adn_invalidated=True)),
        "worn-memory": ("ADN updates need 2 retries (9202); SMS updates fail (9240).",
                        dict(worn_memory=True)),
        "uicc-dual-mode": ("The demo card as a UICC with a USIM that answers class A0 too.",
                           dict(uicc="answer")),
        "uicc-refuses-a0": ("The demo card as a UICC with a USIM that refuses class A0 (6E00);"
                            " no DF GSM.", dict(uicc="refuse", with_gsm_df=False)),
        "usim-type1": ("The demo card with a USIM phone book (DF 5F3A): SNE, ANR and EMAIL "
                       "of type 1.", dict(usim_book="type1")),
        "usim-type2": ("The demo card with a USIM phone book: EMAIL and the second number "
                       "of type 2 through EF IAP.", dict(usim_book="type2")),
        "usim-500": ("The demo card with a USIM phone book of two PBR records, 500 contacts.",
                     dict(usim_book="twice")),
    }
    for name, (title, options) in variants.items():
        cards[tests / f"{name}.simcard"] = build_card([title, generated], **options)
    cards[tests / "empty.simcard"] = (
        "; A card with nothing but the master file and its codes.\r\n"
        f"; {generated}\r\n\r\n[Card]\r\nCHV1=1234\r\nUnblockCHV1=12345678\r\n"
        "CHV2=5678\r\nUnblockCHV2=87654321\r\n\r\n[3F00]\r\nType=MF\r\n")
    for path, text in cards.items():
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(text.encode("ascii"))
        print(path.relative_to(root))


if __name__ == "__main__":
    main()
