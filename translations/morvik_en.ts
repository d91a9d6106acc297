<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ViewScale</name>
    <message>
        <source>表示(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1倍(&amp;%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
