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
    <message numerus="yes">
        <source>%n difference(s) between the configuration and %1.</source>
        <translation>
            <numerusform>%n difference between the configuration and %1.</numerusform>
            <numerusform>%n differences between the configuration and %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>varel::FleetWindow</name>
    <message numerus="yes">
        <source>%1 cannot be numbered on for %n radio(s): the Display Character holds up to 6 characters.</source>
        <translation>
            <numerusform>%1 cannot be numbered on for %n radio: the Display Character holds up to 6 characters.</numerusform>
            <numerusform>%1 cannot be numbered on for %n radios: the Display Character holds up to 6 characters.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Failed: %n block(s) not as written</source>
        <translation>
            <numerusform>Failed: %n block not as written</numerusform>
            <numerusform>Failed: %n blocks not as written</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>varel::MainWindow</name>
    <message numerus="yes">
        <source>%n doubtful value(s): Edit &gt; Channels &gt; Next Problem (F8)</source>
        <translation>
            <numerusform>%n doubtful value: Edit &gt; Channels &gt; Next Problem (F8)</numerusform>
            <numerusform>%n doubtful values: Edit &gt; Channels &gt; Next Problem (F8)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>varel::WriteSafety</name>
    <message numerus="yes">
        <source>The configuration has %n problem(s) the radio may not handle:</source>
        <translation>
            <numerusform>The configuration has %n problem the radio may not handle:</numerusform>
            <numerusform>The configuration has %n problems the radio may not handle:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>… and %n more (see the details).</source>
        <translation>
            <numerusform>… and %n more (see the details).</numerusform>
            <numerusform>… and %n more (see the details).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The radio does not hold what was written in %n block(s):</source>
        <translation>
            <numerusform>The radio does not hold what was written in %n block:</numerusform>
            <numerusform>The radio does not hold what was written in %n blocks:</numerusform>
        </translation>
    </message>
</context>
</TS>
