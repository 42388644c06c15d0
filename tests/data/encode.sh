#!/bin/sh
# Writes a fixture's world file from UTF-8 text with LF line ends, in the
# coding and line-break style a case needs:
#   tests/data/encode.sh win|koi lf|crlf < text.txt > WLD/30.wld
set -e
case "$1" in
  win) coding=CP1251 ;;
  koi) coding=KOI8-R ;;
  *) echo "usage: $0 win|koi lf|crlf < utf8 > file" >&2; exit 2 ;;
esac
case "$2" in
  lf) iconv -f UTF-8 -t "$coding" ;;
  crlf) iconv -f UTF-8 -t "$coding" | sed 's/$/\r/' ;;
  *) echo "usage: $0 win|koi lf|crlf < utf8 > file" >&2; exit 2 ;;
esac
