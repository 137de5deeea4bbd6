#!/usr/bin/python3
"""An independent reader and writer of our tables, through Debian's python3-dbf.

  dbf_peer.py read PATH            prints one line per record: FIELD=value<TAB>...
  dbf_peer.py append PATH F=V ...  appends one record with those fields

Values are printed the way the tests compare them: text without trailing blanks (as
UTF-8), numbers with the field's decimals, dates as YYYYMMDD, logicals as T or F.
"""
import datetime
import sys
import warnings

warnings.simplefilter("ignore")
import dbf  # noqa: E402


def shown(table, name, value):
    kind, width, decimals = table.field_info(name)[:3]
    kind = chr(kind) if isinstance(kind, int) else str(kind)
    if value is None:
        return ""
    if kind == "N":
        return "%.*f" % (decimals, value)
    if kind == "D":
        return value.strftime("%Y%m%d") if value else ""
    if kind == "L":
        return "T" if value else "F"
    return str(value).rstrip()


def main():
    command, path = sys.argv[1], sys.argv[2]
    table = dbf.Table(path, codepage="cp850")
    table.open(dbf.READ_WRITE if command == "append" else dbf.READ_ONLY)
    names = table.field_names
    if command == "read":
        for record in table:
            print("\t".join("%s=%s" % (n.upper(), shown(table, n, record[n])) for n in names))
    elif command == "append":
        values = {}
        for item in sys.argv[3:]:
            name, value = item.split("=", 1)
            name = name.lower()
            kind = table.field_info(name)[0]
            kind = chr(kind) if isinstance(kind, int) else str(kind)
            if kind == "N":
                value = float(value) if "." in value else int(value)
            elif kind == "D":
                value = datetime.date(int(value[:4]), int(value[4:6]), int(value[6:8]))
            elif kind == "L":
                value = value == "T"
            values[name] = value
        table.append(values)
    table.close()


if __name__ == "__main__":
    main()
