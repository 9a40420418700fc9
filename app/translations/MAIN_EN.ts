<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!--
  The English language pack. The program's own texts are English, so the
  pack holds no translations; it exists because switching back to English
  loads it by name, like the Chinese one.
-->
<TS version="2.1" language="en_GB" sourcelanguage="en_GB">
</TS>
