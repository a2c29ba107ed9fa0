<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>varel::DocumentCommands</name>
    <message numerus="yes">
        <source>%n channel(s) written; some could not be written whole.</source>
        <translation>
            <numerusform>%n channel written; some could not be written whole.</numerusform>
            <numerusform>%n channels written; some could not be written whole.</numerusform>
        </translation>
    </message>
</context>
</TS>
