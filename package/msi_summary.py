# Gives an MSI built by wixl a fixed package code and fixed times, which wixl
# draws at random and from the clock, so that the same inputs give the same bytes.
# usage: python3 msi_summary.py FILE.msi {PACKAGE-CODE} UNIX-TIME
import sys

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

path, package_code, unix_time = sys.argv[1], sys.argv[2], int(sys.argv[3])
# FILETIME: 100 ns steps since 1601.
filetime = (unix_time + 11644473600) * 10000000
database = Libmsi.Database.new(path, Libmsi.DbFlags.TRANSACT, None)
summary = Libmsi.SummaryInfo.new(database, 20)
summary.set_string(Libmsi.Property.UUID, package_code)
summary.set_filetime(Libmsi.Property.CREATED_TM, filetime)
summary.set_filetime(Libmsi.Property.LASTSAVED_TM, filetime)
summary.persist()
database.commit()
