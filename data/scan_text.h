// The pieces of scanf's grammar that the data-file parsers use, done by hand so that glibc and
// the Windows runtime read every file the same way.
#pragma once

// scanf's whitespace in the "C" locale: blank, tab, line feed, vertical tab, form feed, carriage
// return. Bytes of 0x80 and above are never whitespace.
bool IsScanSpace(int c);

enum class TitleScan {
  None,       // "[" followed by blanks only: not a title
  NoBracket,  // the name's run of non-blank bytes holds no "]"
  Named,      // the name is in the buffer
};

// Reads the name of a title line `line` = "[name]...": the first run of non-blank bytes after the
// "[" (blanks skipped), cut at its first "]", so text after the "]" is ignored. The name buffer
// holds size - 1 bytes; a name longer than that counts as NoBracket, as it would in a bounded
// "%s" field of that size.
TitleScan ScanTitle(const char* line, char* name, int size);
