<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AlarmTable</name>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Alarm %1</source>
        <translation>Alarm %1</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>enabled</source>
        <translation>aktiviert</translation>
    </message>
    <message>
        <source>%1 time</source>
        <translation>%1, Uhrzeit</translation>
    </message>
    <message>
        <source>ignore hour</source>
        <translation>Stunde ignorieren</translation>
    </message>
    <message>
        <source>whirlbeam on</source>
        <translation>Whirlbeam ein</translation>
    </message>
    <message>
        <source>whirlbeam off</source>
        <translation>Whirlbeam aus</translation>
    </message>
    <message>
        <source>sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>relay on</source>
        <translation>Relais ein</translation>
    </message>
    <message>
        <source>%1 count</source>
        <translation>%1, Anzahl</translation>
    </message>
    <message>
        <source>send</source>
        <translation>senden</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>Alm:</source>
        <translation>Nr.:</translation>
    </message>
    <message>
        <source>Enable:</source>
        <translation>Aktiv:</translation>
    </message>
    <message>
        <source>On days of week:</source>
        <translation>An Wochentagen:</translation>
    </message>
    <message>
        <source>Alarm time:</source>
        <translation>Alarmzeit:</translation>
    </message>
    <message>
        <source>Ignore hour</source>
        <translation>Stunde ignorieren</translation>
    </message>
    <message>
        <source>Whirlbeam </source>
        <translation>Whirlbeam </translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Relais</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>On time min. /</source>
        <translation>Einschaltdauer (min) /</translation>
    </message>
    <message>
        <source>Sound count</source>
        <translation>Anzahl Töne</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Send all alarms</source>
        <translation>Alle Alarme senden</translation>
    </message>
    <message>
        <source>Disable all alarms</source>
        <translation>Alle Alarme aus</translation>
    </message>
    <message>
        <source>Clear alarm sound</source>
        <translation>Alarmton stoppen</translation>
    </message>
    <message>
        <source>Reread alarms</source>
        <translation>Alarme neu lesen</translation>
    </message>
</context>
<context>
    <name>BridgeTexts</name>
    <message>
        <source>mqtt: the broker is away (%1); trying again in %2 s</source>
        <translation>mqtt: der Broker ist nicht erreichbar (%1); neuer Versuch in %2 s</translation>
    </message>
    <message>
        <source>mqtt: the broker is back</source>
        <translation>mqtt: der Broker ist wieder erreichbar</translation>
    </message>
    <message>
        <source>the clock is away</source>
        <translation>die Uhr ist nicht da</translation>
    </message>
    <message>
        <source>not a whole number</source>
        <translation>keine ganze Zahl</translation>
    </message>
    <message>
        <source>%1 is outside %2..%3</source>
        <translation>%1 liegt außerhalb von %2..%3</translation>
    </message>
    <message>
        <source>takes PRESS</source>
        <translation>erwartet PRESS</translation>
    </message>
    <message>
        <source>takes ON or OFF</source>
        <translation>erwartet ON oder OFF</translation>
    </message>
    <message>
        <source>the clock&apos;s sensor offsets are not known yet</source>
        <translation>die Sensor-Offsets der Uhr sind noch nicht bekannt</translation>
    </message>
    <message>
        <source>no such command</source>
        <translation>kein solcher Befehl</translation>
    </message>
    <message>
        <source>payload too long</source>
        <translation>Nutzdaten zu lang</translation>
    </message>
    <message>
        <source>mqtt: the clock&apos;s offset could not be measured</source>
        <translation>mqtt: die Abweichung der Uhr ließ sich nicht messen</translation>
    </message>
    <message>
        <source>the clock&apos;s time is being measured or set; try again</source>
        <translation>die Zeit der Uhr wird gerade gemessen oder gestellt; bitte noch einmal versuchen</translation>
    </message>
    <message>
        <source>takes ADDRESS,COMMAND</source>
        <translation>erwartet ADRESSE,BEFEHL</translation>
    </message>
    <message>
        <source>address: %1</source>
        <translation>Adresse: %1</translation>
    </message>
    <message>
        <source>command: %1</source>
        <translation>Befehl: %1</translation>
    </message>
</context>
<context>
    <name>ClockDeviceTexts</name>
    <message>
        <source>The clock %1 cannot be opened: %2.</source>
        <translation>Die Uhr %1 lässt sich nicht öffnen: %2.</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
    <message>
        <source>You may not use the clock %1.
Install the udev rule %2 into %3 (sudo cmake --install build does it), then unplug the clock and plug it in again.</source>
        <translation>Keine Berechtigung für die Uhr %1.
Die udev-Regel %2 nach %3 installieren (sudo cmake --install build erledigt das), dann die Uhr abziehen und wieder einstecken.</translation>
    </message>
    <message>
        <source>You may not use the clock %1.
The udev rule %2 is installed; unplug the clock and plug it in again, so that the rule applies to it.</source>
        <translation>Keine Berechtigung für die Uhr %1.
Die udev-Regel %2 ist installiert; die Uhr abziehen und wieder einstecken, damit die Regel für sie gilt.</translation>
    </message>
    <message>
        <source>You may not use the clock %1.
The udev rule %2 gives the clock to the user at the machine&apos;s own desk (uaccess) and to the group dialout, and this session is neither (ssh, cron after logging out). To use the clock from here, join that group (sudo usermod -aG dialout $USER), log in again and plug the clock in again.</source>
        <translation>Keine Berechtigung für die Uhr %1.
Die udev-Regel %2 gibt die Uhr dem Benutzer am eigenen Platz des Rechners (uaccess) und der Gruppe dialout, und diese Sitzung ist keins von beiden (ssh, cron nach dem Abmelden). Um die Uhr von hier zu benutzen, der Gruppe beitreten (sudo usermod -aG dialout $USER), neu anmelden und die Uhr abziehen und wieder einstecken.</translation>
    </message>
</context>
<context>
    <name>ClockLinkTexts</name>
    <message>
        <source>%1 is gone (unplugged?)</source>
        <translation>%1 ist nicht mehr da (abgezogen?)</translation>
    </message>
    <message>
        <source>no whirlbeam clock on USB</source>
        <translation>keine Whirlbeam-Uhr am USB</translation>
    </message>
    <message>
        <source>no whirlbeam clock on USB with serial number %1 (found: %2)</source>
        <translation>keine Whirlbeam-Uhr mit der Seriennummer %1 am USB (gefunden: %2)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>the USB clock %1</source>
        <translation>USB-Uhr %1</translation>
    </message>
    <message>
        <source>%1 was unplugged</source>
        <translation>%1 wurde abgezogen</translation>
    </message>
</context>
<context>
    <name>ClockSessionTexts</name>
    <message>
        <source> to </source>
        <translation> auf </translation>
    </message>
    <message>
        <source>no answer from %1%2 within %3 s</source>
        <translation>keine Antwort von %1%2 innerhalb von %3 s</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>unterbrochen</translation>
    </message>
    <message>
        <source>the device on %1 answers, but not as a whirlbeam clock (first line: %2)</source>
        <translation>das Gerät an %1 antwortet, aber nicht wie eine Whirlbeam-Uhr (erste Zeile: %2)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 is too long for %2</source>
        <translation>%1 ist zu lang für %2</translation>
    </message>
</context>
<context>
    <name>ComputerClockTexts</name>
    <message>
        <source>this computer&apos;s clock cannot be asked whether it is synchronised</source>
        <translation>der Uhr dieses Computers lässt sich nicht entnehmen, ob sie synchronisiert ist</translation>
    </message>
    <message>
        <source>this computer&apos;s clock is not synchronised to a time source</source>
        <translation>die Uhr dieses Computers ist mit keiner Zeitquelle synchronisiert</translation>
    </message>
    <message>
        <source>this computer&apos;s clock may be %1 ms off, more than the 100 ms allowed</source>
        <translation>die Uhr dieses Computers kann um %1 ms abweichen, mehr als die erlaubten 100 ms</translation>
    </message>
</context>
<context>
    <name>DateTimePage</name>
    <message>
        <source>Date and time from Whirlbeam Clock:</source>
        <translation>Datum und Uhrzeit der Whirlbeam-Uhr:</translation>
    </message>
    <message>
        <source>Date and time from Computer:</source>
        <translation>Datum und Uhrzeit des Computers:</translation>
    </message>
    <message>
        <source>Refresh time</source>
        <translation>Zeit aktualisieren</translation>
    </message>
    <message>
        <source>Send Date</source>
        <translation>Datum senden</translation>
    </message>
    <message>
        <source>Send Time</source>
        <translation>Uhrzeit senden</translation>
    </message>
    <message>
        <source>Clear seconds</source>
        <translation>Sekunden auf 0</translation>
    </message>
    <message>
        <source>Blinks while the clock&apos;s time is invalid</source>
        <translation>Blinkt, solange die Uhrzeit der Uhr ungültig ist</translation>
    </message>
    <message>
        <source>Clock&apos;s date</source>
        <translation>Datum der Uhr</translation>
    </message>
    <message>
        <source>Clock&apos;s day of week</source>
        <translation>Wochentag der Uhr</translation>
    </message>
    <message>
        <source>Clock&apos;s time</source>
        <translation>Uhrzeit der Uhr</translation>
    </message>
    <message>
        <source>Computer&apos;s date</source>
        <translation>Datum des Computers</translation>
    </message>
    <message>
        <source>Computer&apos;s day of week</source>
        <translation>Wochentag des Computers</translation>
    </message>
    <message>
        <source>Computer&apos;s time</source>
        <translation>Uhrzeit des Computers</translation>
    </message>
    <message>
        <source>Time invalid</source>
        <translation>Zeit ungültig</translation>
    </message>
    <message>
        <source>Set clock to computer time</source>
        <translation>Uhr auf Computerzeit stellen</translation>
    </message>
    <message>
        <source>Sets the clock to this computer&apos;s date and time, its second starting on the computer&apos;s</source>
        <translation>Stellt die Uhr auf Datum und Uhrzeit dieses Computers; ihre Sekunde beginnt mit der des Computers</translation>
    </message>
    <message>
        <source>Time invalid lamp</source>
        <translation>Lampe Zeit ungültig</translation>
    </message>
</context>
<context>
    <name>Dcf77Page</name>
    <message>
        <source>DCF77 decoded:</source>
        <translation>DCF77 dekodiert:</translation>
    </message>
    <message>
        <source>Year:</source>
        <translation>Jahr:</translation>
    </message>
    <message>
        <source>Month:</source>
        <translation>Monat:</translation>
    </message>
    <message>
        <source>Day:</source>
        <translation>Tag:</translation>
    </message>
    <message>
        <source>Day of week:</source>
        <translation>Wochentag:</translation>
    </message>
    <message>
        <source>Hour:</source>
        <translation>Stunde:</translation>
    </message>
    <message>
        <source>Minute:</source>
        <translation>Minute:</translation>
    </message>
    <message>
        <source>Number of successfull synchronizations:</source>
        <translation>Anzahl erfolgreicher Synchronisationen:</translation>
    </message>
    <message>
        <source>in last hour:</source>
        <translation>letzte Std.:</translation>
    </message>
    <message>
        <source>DCF77 decoding state:</source>
        <translation>DCF77-Dekodierstatus:</translation>
    </message>
    <message>
        <source>Wait for synchron</source>
        <translation>Warten auf Sync</translation>
    </message>
    <message>
        <source>Data ready</source>
        <translation>Daten bereit</translation>
    </message>
    <message>
        <source>Parity error</source>
        <translation>Paritätsfehler</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Last decoded time used CEST=UTC+2</source>
        <translation>Zuletzt dekodiert: MESZ=UTC+2</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <source>Get statistics</source>
        <translation>Statistik lesen</translation>
    </message>
    <message>
        <source>Save statistics</source>
        <translation>Statistik speichern</translation>
    </message>
    <message>
        <source>Successful synchronizations per hour</source>
        <translation>Erfolgreiche Synchronisationen je Stunde</translation>
    </message>
    <message>
        <source>Hour %1: 1 synchronization</source>
        <translation>Stunde %1: 1 Synchronisation</translation>
    </message>
    <message>
        <source>Hour %1: %2 synchronizations</source>
        <translation>Stunde %1: %2 Synchronisationen</translation>
    </message>
</context>
<context>
    <name>EComPort</name>
    <message>
        <source>Unable to open com port</source>
        <translation>COM-Port lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>WriteFile function failed</source>
        <translation>Funktion WriteFile fehlgeschlagen</translation>
    </message>
    <message>
        <source>ReadFile function failed</source>
        <translation>Funktion ReadFile fehlgeschlagen</translation>
    </message>
    <message>
        <source>Invalid Async parameter</source>
        <translation>Ungültiger Async-Parameter</translation>
    </message>
    <message>
        <source>PurgeComm function failed</source>
        <translation>Funktion PurgeComm fehlgeschlagen</translation>
    </message>
    <message>
        <source>Unable to get async status</source>
        <translation>Async-Status lässt sich nicht abfragen</translation>
    </message>
    <message>
        <source>SetCommState function failed</source>
        <translation>Funktion SetCommState fehlgeschlagen</translation>
    </message>
    <message>
        <source>SetCommTimeouts failed</source>
        <translation>SetCommTimeouts fehlgeschlagen</translation>
    </message>
    <message>
        <source>SetupComm function failed</source>
        <translation>Funktion SetupComm fehlgeschlagen</translation>
    </message>
    <message>
        <source>ClearCommError function failed</source>
        <translation>Funktion ClearCommError fehlgeschlagen</translation>
    </message>
    <message>
        <source>GetCommModemStatus function failed</source>
        <translation>Funktion GetCommModemStatus fehlgeschlagen</translation>
    </message>
    <message>
        <source>EscapeCommFunction function failed</source>
        <translation>Funktion EscapeCommFunction fehlgeschlagen</translation>
    </message>
    <message>
        <source>TransmitCommChar function failed</source>
        <translation>Funktion TransmitCommChar fehlgeschlagen</translation>
    </message>
    <message>
        <source>Cannot set property while connected</source>
        <translation>Eigenschaft lässt sich bei bestehender Verbindung nicht ändern</translation>
    </message>
    <message>
        <source>EnumPorts function failed</source>
        <translation>Funktion EnumPorts fehlgeschlagen</translation>
    </message>
    <message>
        <source>Failed to store settings</source>
        <translation>Einstellungen konnten nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Failed to load settings</source>
        <translation>Einstellungen konnten nicht geladen werden</translation>
    </message>
    <message>
        <source>Link (un)registration failed</source>
        <translation>An- oder Abmelden der Verknüpfung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Cannot change led state if ComPort is selected</source>
        <translation>LED-Zustand lässt sich nicht ändern, solange ein ComPort gewählt ist</translation>
    </message>
    <message>
        <source>Cannot wait for event if event thread is created</source>
        <translation>Warten auf ein Ereignis ist nicht möglich, solange der Ereignis-Thread besteht</translation>
    </message>
    <message>
        <source>WaitForEvent method failed</source>
        <translation>Methode WaitForEvent fehlgeschlagen</translation>
    </message>
    <message>
        <source>A component is linked to OnRxBuf event</source>
        <translation>Eine Komponente ist mit dem Ereignis OnRxBuf verknüpft</translation>
    </message>
    <message>
        <source>Registry error</source>
        <translation>Registry-Fehler</translation>
    </message>
    <message>
        <source> (win error code: %1)</source>
        <translation> (Windows-Fehlercode: %1)</translation>
    </message>
</context>
<context>
    <name>FileProblem</name>
    <message>
        <source>Line %1 is not an alarm line: %2</source>
        <translation>Zeile %1 ist keine Alarmzeile: %2</translation>
    </message>
    <message>
        <source>Line %1 is not a command line: %2</source>
        <translation>Zeile %1 ist keine Befehlszeile: %2</translation>
    </message>
    <message>
        <source>larger than 1 MiB: not an alarm file</source>
        <translation>größer als 1 MiB: keine Alarmdatei</translation>
    </message>
    <message>
        <source>did not end within 5 seconds</source>
        <translation>endete nicht innerhalb von 5 Sekunden</translation>
    </message>
    <message>
        <source>larger than 1 MiB: not a parameter file</source>
        <translation>größer als 1 MiB: keine Parameterdatei</translation>
    </message>
</context>
<context>
    <name>LinkLogTexts</name>
    <message>
        <source>cannot write the log %1: %2</source>
        <translation>Protokoll %1 lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>writing the log %1 failed: %2; the log ends here</source>
        <translation>Schreiben des Protokolls %1 fehlgeschlagen: %2; das Protokoll endet hier</translation>
    </message>
</context>
<context>
    <name>MeasurementPage</name>
    <message>
        <source>Light:</source>
        <translation>Licht:</translation>
    </message>
    <message>
        <source>Offsets:</source>
        <translation>Offsets:</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>Temperatur:</translation>
    </message>
    <message>
        <source>Humidity:</source>
        <translation>Luftfeuchte:</translation>
    </message>
    <message>
        <source>Air pressure:</source>
        <translation>Luftdruck:</translation>
    </message>
    <message>
        <source>%1 offset</source>
        <translation>%1-Offset</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Send temperature offset</source>
        <translation>Temperatur-Offset senden</translation>
    </message>
    <message>
        <source>Send humidity offset</source>
        <translation>Luftfeuchte-Offset senden</translation>
    </message>
    <message>
        <source>Send air pressure offset</source>
        <translation>Luftdruck-Offset senden</translation>
    </message>
    <message>
        <source>Sensors over time:</source>
        <translation>Sensoren im Zeitverlauf:</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>Export the sensor history</source>
        <translation>Den Sensorverlauf exportieren</translation>
    </message>
</context>
<context>
    <name>ModePage</name>
    <message>
        <source>Auto standby</source>
        <translation>Auto-Standby</translation>
    </message>
    <message>
        <source>Wake up in Run mode</source>
        <translation>Im Laufmodus aufwachen</translation>
    </message>
    <message>
        <source>No coil drive in Sleep mode</source>
        <translation>Kein Spulenantrieb im Schlafmodus</translation>
    </message>
    <message>
        <source>Sound at hour change</source>
        <translation>Ton zur vollen Stunde</translation>
    </message>
    <message>
        <source>Sound mode</source>
        <translation>Tonmodus</translation>
    </message>
    <message>
        <source>DCF77 synchronization</source>
        <translation>DCF77-Synchronisation</translation>
    </message>
    <message>
        <source>Reread time at midnight</source>
        <translation>Zeit um Mitternacht neu lesen</translation>
    </message>
    <message>
        <source>Motor PWM enabled</source>
        <translation>Motor-PWM aktiv</translation>
    </message>
    <message>
        <source>Motor PWM manual</source>
        <translation>Motor-PWM manuell</translation>
    </message>
    <message>
        <source>Motor PWM light</source>
        <translation>Motor-PWM lichtabhängig</translation>
    </message>
    <message>
        <source>Motor PWM low speed</source>
        <translation>Motor-PWM langsam</translation>
    </message>
    <message>
        <source>%1, as the clock reports it</source>
        <translation>%1, wie von der Uhr gemeldet</translation>
    </message>
    <message>
        <source>Send mode</source>
        <translation>Modus senden</translation>
    </message>
    <message>
        <source>Auto standby time [sec]:</source>
        <translation>Auto-Standby-Zeit [s]:</translation>
    </message>
    <message>
        <source>Send </source>
        <translation>Senden </translation>
    </message>
    <message>
        <source>Sound generated</source>
        <translation>Tonausgabe</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Sound generated from hour</source>
        <translation>Tonausgabe ab Stunde</translation>
    </message>
    <message>
        <source>Sound generated to hour</source>
        <translation>Tonausgabe bis Stunde</translation>
    </message>
    <message>
        <source>Light limit:</source>
        <translation>Lichtgrenze:</translation>
    </message>
    <message>
        <source>Send times and light limit</source>
        <translation>Zeiten und Lichtgrenze senden</translation>
    </message>
    <message>
        <source>Send auto standby time</source>
        <translation>Auto-Standby-Zeit senden</translation>
    </message>
</context>
<context>
    <name>PortDescriptionTexts</name>
    <message>
        <source>serial %1</source>
        <translation>Seriennummer %1</translation>
    </message>
</context>
<context>
    <name>PwmPage</name>
    <message>
        <source>Run mode:</source>
        <translation>Laufmodus:</translation>
    </message>
    <message>
        <source>Sleep mode:</source>
        <translation>Schlafmodus:</translation>
    </message>
    <message>
        <source>Current setting:</source>
        <translation>Aktueller Wert:</translation>
    </message>
    <message>
        <source>Pulse width:</source>
        <translation>Pulsbreite:</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Drehzahl:</translation>
    </message>
    <message>
        <source>High speed:</source>
        <translation>Hohe Drehzahl:</translation>
    </message>
    <message>
        <source>Low speed:</source>
        <translation>Niedrige Drehzahl:</translation>
    </message>
    <message>
        <source>Run mode pulse width, as the clock reports it</source>
        <translation>Pulsbreite im Laufmodus, wie von der Uhr gemeldet</translation>
    </message>
    <message>
        <source>Run mode pulse width to send</source>
        <translation>Zu sendende Pulsbreite im Laufmodus</translation>
    </message>
    <message>
        <source>High speed, as the clock reports it</source>
        <translation>Hohe Drehzahl, wie von der Uhr gemeldet</translation>
    </message>
    <message>
        <source>High speed to send</source>
        <translation>Zu sendende hohe Drehzahl</translation>
    </message>
    <message>
        <source>Sleep mode pulse width, as the clock reports it</source>
        <translation>Pulsbreite im Schlafmodus, wie von der Uhr gemeldet</translation>
    </message>
    <message>
        <source>Sleep mode pulse width to send</source>
        <translation>Zu sendende Pulsbreite im Schlafmodus</translation>
    </message>
    <message>
        <source>Low speed, as the clock reports it</source>
        <translation>Niedrige Drehzahl, wie von der Uhr gemeldet</translation>
    </message>
    <message>
        <source>Low speed to send</source>
        <translation>Zu sendende niedrige Drehzahl</translation>
    </message>
    <message>
        <source>Current pulse width</source>
        <translation>Aktuelle Pulsbreite</translation>
    </message>
    <message>
        <source>Current period</source>
        <translation>Aktuelle Periode</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Dafault</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Deep Sleep mode:</source>
        <translation>Tiefschlafmodus:</translation>
    </message>
    <message>
        <source>Lit while the coil runs with high power</source>
        <translation>Leuchtet, solange die Spule mit hoher Leistung läuft</translation>
    </message>
    <message>
        <source>Lit while the whirlbeam sleeps</source>
        <translation>Leuchtet, solange der Whirlbeam schläft</translation>
    </message>
    <message>
        <source>Lit while the whirlbeam is in deep sleep</source>
        <translation>Leuchtet, solange der Whirlbeam im Tiefschlaf ist</translation>
    </message>
    <message>
        <source>Whirlbeam commands:</source>
        <translation>Whirlbeam-Befehle:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Send pulse widths and speeds</source>
        <translation>Pulsbreiten und Drehzahlen senden</translation>
    </message>
    <message>
        <source>Run mode lamp</source>
        <translation>Lampe Laufmodus</translation>
    </message>
    <message>
        <source>Sleep mode lamp</source>
        <translation>Lampe Schlafmodus</translation>
    </message>
    <message>
        <source>Deep Sleep mode lamp</source>
        <translation>Lampe Tiefschlafmodus</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Einf&amp;ügen</translation>
    </message>
</context>
<context>
    <name>Rc5Page</name>
    <message>
        <source>Address of clock:</source>
        <translation>Adresse der Uhr:</translation>
    </message>
    <message>
        <source>Last received RC5 packet:</source>
        <translation>Zuletzt empfangenes RC5-Paket:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Commad:</source>
        <translation>Befehl:</translation>
    </message>
    <message>
        <source>Received packet history:</source>
        <translation>Verlauf empfangener Pakete:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Execute RC5 packet:</source>
        <translation>RC5-Paket ausführen:</translation>
    </message>
    <message>
        <source>Add 0x80 to set toggle bit</source>
        <translation>0x80 addieren, um das Toggle-Bit zu setzen</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Address of the last received RC5 packet</source>
        <translation>Adresse des zuletzt empfangenen RC5-Pakets</translation>
    </message>
    <message>
        <source>Command of the last received RC5 packet</source>
        <translation>Befehl des zuletzt empfangenen RC5-Pakets</translation>
    </message>
    <message>
        <source>Address of the RC5 packet to execute</source>
        <translation>Adresse des auszuführenden RC5-Pakets</translation>
    </message>
    <message>
        <source>Command of the RC5 packet to execute</source>
        <translation>Befehl des auszuführenden RC5-Pakets</translation>
    </message>
    <message>
        <source>Send RC5 packet</source>
        <translation>RC5-Paket senden</translation>
    </message>
</context>
<context>
    <name>ReadProgressView</name>
    <message>
        <source>Progress of reading the clock</source>
        <translation>Fortschritt beim Lesen der Uhr</translation>
    </message>
    <message numerus="yes">
        <source>Reading the clock: parameters %1 of %n</source>
        <translation>
            <numerusform>Die Uhr wird gelesen: Parameter %1 von %n</numerusform>
            <numerusform>Die Uhr wird gelesen: Parameter %1 von %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Reading the clock: alarm %1 of %n</source>
        <translation>
            <numerusform>Die Uhr wird gelesen: Alarm %1 von %n</numerusform>
            <numerusform>Die Uhr wird gelesen: Alarm %1 von %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sending alarms: %1 of %n</source>
        <translation>
            <numerusform>Alarme werden gesendet: %1 von %n</numerusform>
            <numerusform>Alarme werden gesendet: %1 von %n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RelaisPage</name>
    <message>
        <source>Relais is on</source>
        <translation>Relais ist ein</translation>
    </message>
    <message>
        <source>Remaining time:</source>
        <translation>Restzeit:</translation>
    </message>
    <message>
        <source>[minute]</source>
        <translation>[Minuten]</translation>
    </message>
    <message>
        <source>On time:</source>
        <translation>Einschaltdauer:</translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation>Einschalten</translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <source>On time for IR commands:</source>
        <translation>Einschaltdauer für IR-Befehle:</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Send on time for IR commands</source>
        <translation>Einschaltdauer für IR-Befehle senden</translation>
    </message>
</context>
<context>
    <name>ReplyWords</name>
    <message>
        <source>identification</source>
        <translation>Kennung</translation>
    </message>
    <message>
        <source>not a whirlbeam clock</source>
        <translation>keine Whirlbeam-Uhr</translation>
    </message>
    <message>
        <source>version ?</source>
        <translation>Version ?</translation>
    </message>
    <message>
        <source>version %1%2</source>
        <translation>Version %1%2</translation>
    </message>
    <message>
        <source>, too old</source>
        <translation>, zu alt</translation>
    </message>
    <message>
        <source>configuration ?</source>
        <translation>Konfiguration ?</translation>
    </message>
    <message>
        <source>%1 alarms, RC5 address %2%3</source>
        <translation>%1 Alarme, RC5-Adresse %2%3</translation>
    </message>
    <message>
        <source>, chip %1</source>
        <translation>, Chip %1</translation>
    </message>
    <message>
        <source>end of read</source>
        <translation>Ende der Auslesung</translation>
    </message>
    <message>
        <source>date %1</source>
        <translation>Datum %1</translation>
    </message>
    <message>
        <source>time %1</source>
        <translation>Uhrzeit %1</translation>
    </message>
    <message>
        <source>, time invalid</source>
        <translation>, Uhrzeit ungültig</translation>
    </message>
    <message>
        <source>, time valid</source>
        <translation>, Uhrzeit gültig</translation>
    </message>
    <message>
        <source>whirlbeam %1%2</source>
        <translation>Whirlbeam %1%2</translation>
    </message>
    <message>
        <source>relay %1</source>
        <translation>Relais %1</translation>
    </message>
    <message>
        <source>relay on-time for IR commands %1 min</source>
        <translation>Einschaltdauer des Relais für IR-Befehle %1 min</translation>
    </message>
    <message>
        <source>alarm ?</source>
        <translation>Alarm ?</translation>
    </message>
    <message>
        <source>enabled</source>
        <translation>aktiviert</translation>
    </message>
    <message>
        <source>disabled</source>
        <translation>deaktiviert</translation>
    </message>
    <message>
        <source>days %1</source>
        <translation>Tage %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>every hour at :%1</source>
        <translation>stündlich um :%1</translation>
    </message>
    <message>
        <source>relay on for %1 min</source>
        <translation>Relais %1 min ein</translation>
    </message>
    <message>
        <source>whirlbeam on</source>
        <translation>Whirlbeam ein</translation>
    </message>
    <message>
        <source>whirlbeam off</source>
        <translation>Whirlbeam aus</translation>
    </message>
    <message>
        <source>sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>count %1</source>
        <translation>Anzahl %1</translation>
    </message>
    <message>
        <source>alarm %1: %2</source>
        <translation>Alarm %1: %2</translation>
    </message>
    <message>
        <source>mode flags %1, motor flags %2</source>
        <translation>Modus-Flags %1, Motor-Flags %2</translation>
    </message>
    <message>
        <source>auto standby %1 s</source>
        <translation>Auto-Standby %1 s</translation>
    </message>
    <message>
        <source>run pulse %1, high speed %2, sleep pulse %3, low speed %4, current pulse %5, current period %6</source>
        <translation>Pulsbreite Laufmodus %1, hohe Drehzahl %2, Pulsbreite Schlafmodus %3, niedrige Drehzahl %4, aktuelle Pulsbreite %5, aktuelle Periode %6</translation>
    </message>
    <message>
        <source>sound from %1 to %2 h, light limit %3</source>
        <translation>Ton von %1 bis %2 Uhr, Lichtgrenze %3</translation>
    </message>
    <message>
        <source>DCF77 statistics, hour %1: %2</source>
        <translation>DCF77-Statistik, Stunde %1: %2</translation>
    </message>
    <message>
        <source>memory %1</source>
        <translation>Speicher %1</translation>
    </message>
    <message>
        <source>DCF77 %1 synchronisations</source>
        <translation>DCF77 %1 Synchronisationen</translation>
    </message>
    <message>
        <source>, decoded %1-%2-%3</source>
        <translation>, dekodiert %1-%2-%3</translation>
    </message>
    <message>
        <source> weekday %1</source>
        <translation> Wochentag %1</translation>
    </message>
    <message>
        <source>data ready</source>
        <translation>Daten bereit</translation>
    </message>
    <message>
        <source>waiting for synchron</source>
        <translation>warten auf Sync</translation>
    </message>
    <message>
        <source>parity error</source>
        <translation>Paritätsfehler</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>CEST</source>
        <translation>MESZ</translation>
    </message>
    <message>
        <source>, %1 in the last hour</source>
        <translation>, %1 in der letzten Stunde</translation>
    </message>
    <message>
        <source>RC5 packet, address %1, command %2</source>
        <translation>RC5-Paket, Adresse %1, Befehl %2</translation>
    </message>
    <message>
        <source>sensor offsets: temperature %1, humidity %2, pressure %3</source>
        <translation>Sensor-Offsets: Temperatur %1, Luftfeuchte %2, Luftdruck %3</translation>
    </message>
    <message>
        <source>standby</source>
        <translation>Standby</translation>
    </message>
    <message>
        <source>high power on coil</source>
        <translation>hohe Leistung an der Spule</translation>
    </message>
    <message>
        <source>index LED on</source>
        <translation>Index-LED ein</translation>
    </message>
    <message>
        <source>I2C bus error</source>
        <translation>I2C-Busfehler</translation>
    </message>
    <message>
        <source>run</source>
        <translation>Lauf</translation>
    </message>
    <message>
        <source>deep sleep</source>
        <translation>Tiefschlaf</translation>
    </message>
    <message>
        <source>sleep</source>
        <translation>Schlaf</translation>
    </message>
    <message>
        <source> (weekday %1)</source>
        <translation> (Wochentag %1)</translation>
    </message>
    <message>
        <source>%1 mode, remaining time %2 s</source>
        <translation>Betriebsart %1, Restzeit %2 s</translation>
    </message>
    <message>
        <source>on</source>
        <translation>ein</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>%1, %2 min remaining</source>
        <translation>%1, noch %2 min</translation>
    </message>
    <message>
        <source>light %1, temperature %2 °C, humidity %3 %, air pressure %4 hPa</source>
        <translation>Licht %1, Temperatur %2 °C, Luftfeuchte %3 %, Luftdruck %4 hPa</translation>
    </message>
</context>
<context>
    <name>SensorChart</name>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>Humidity</source>
        <translation>Luftfeuchte</translation>
    </message>
    <message>
        <source>Air pressure</source>
        <translation>Luftdruck</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Licht</translation>
    </message>
    <message>
        <source>Sensors over time</source>
        <translation>Sensoren im Zeitverlauf</translation>
    </message>
    <message>
        <source>Temperature, humidity, air pressure and light of this session</source>
        <translation>Temperatur, Luftfeuchte, Luftdruck und Licht dieser Sitzung</translation>
    </message>
    <message>
        <source>No measurements yet</source>
        <translation>Noch keine Messwerte</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SensorCsvTexts</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>writing %1 failed: %2</source>
        <translation>das Schreiben von %1 ist fehlgeschlagen: %2</translation>
    </message>
</context>
<context>
    <name>SystemErrorTexts</name>
    <message>
        <source>Only the user %1 may open %2.</source>
        <translation>Nur der Benutzer %1 darf %2 öffnen.</translation>
    </message>
    <message>
        <source>You may not open %1.</source>
        <translation>Keine Berechtigung zum Öffnen von %1.</translation>
    </message>
    <message>
        <source>%1 is in use by another program.</source>
        <translation>%1 wird von einem anderen Programm benutzt.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>No device %1. Serial ports found: %2.</source>
        <translation>Kein Gerät %1. Gefundene serielle Ports: %2.</translation>
    </message>
    <message>
        <source>The device is gone (unplugged?). Plug it in again and press Open.</source>
        <translation>Das Gerät ist nicht mehr da (abgezogen?). Gerät erneut einstecken und Öffnen drücken.</translation>
    </message>
    <message>
        <source>No such file</source>
        <translation>Datei nicht vorhanden</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>Ordner nicht vorhanden</translation>
    </message>
    <message>
        <source>The list of serial ports (%1) could not be read: %2.</source>
        <translation>Die Liste der seriellen Ports (%1) konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>%1 belongs to the group %2. Add yourself to it with: sudo usermod -aG %2 $USER, then log in again.</source>
        <translation>%1 gehört der Gruppe %2. Mit sudo usermod -aG %2 $USER dieser Gruppe beitreten und neu anmelden.</translation>
    </message>
    <message>
        <source>The clock is in use by whirlbeamctl mqtt (process %1); stop it with: %2</source>
        <translation>Die Uhr wird von whirlbeamctl mqtt benutzt (Prozess %1); beenden mit: %2</translation>
    </message>
    <message>
        <source>%1 is in use by %2 (process %3).</source>
        <translation>%1 wird von %2 benutzt (Prozess %3).</translation>
    </message>
</context>
<context>
    <name>TComSetupFrm</name>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Data bits</source>
        <translation>Datenbits</translation>
    </message>
    <message>
        <source>Stop bits</source>
        <translation>Stoppbits</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parität</translation>
    </message>
    <message>
        <source>Flow control</source>
        <translation>Flusssteuerung</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Einrichtung</translation>
    </message>
    <message>
        <source> Settings </source>
        <translation> Einstellungen </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Whirlbeam clock alarms *.alm|*.alm|All Files *.*|*.*</source>
        <translation>Alarme der Whirlbeam-Uhr *.alm|*.alm|Alle Dateien *.*|*.*</translation>
    </message>
    <message>
        <source>Whirlbeam clock parameters *.par|*.par|All Files *.*|*.*</source>
        <translation>Parameter der Whirlbeam-Uhr *.par|*.par|Alle Dateien *.*|*.*</translation>
    </message>
    <message>
        <source>File save error </source>
        <translation>Fehler beim Speichern der Datei </translation>
    </message>
    <message>
        <source>File read error </source>
        <translation>Fehler beim Lesen der Datei </translation>
    </message>
    <message>
        <source>Save alarms</source>
        <translation>Alarme speichern</translation>
    </message>
    <message>
        <source>Open alarms</source>
        <translation>Alarme öffnen</translation>
    </message>
    <message>
        <source>Save DCF77 history</source>
        <translation>DCF77-Verlauf speichern</translation>
    </message>
    <message>
        <source>Whirlbeam clock DCF77 history *.txt|*.txt|All Files *.*|*.*</source>
        <translation>DCF77-Verlauf der Whirlbeam-Uhr *.txt|*.txt|Alle Dateien *.*|*.*</translation>
    </message>
    <message>
        <source>Save IR command history</source>
        <translation>IR-Befehlsverlauf speichern</translation>
    </message>
    <message>
        <source>Whirlbeam clock IR history *.his|*.his|All Files *.*|*.*</source>
        <translation>IR-Verlauf der Whirlbeam-Uhr *.his|*.his|Alle Dateien *.*|*.*</translation>
    </message>
    <message>
        <source>Save parameters</source>
        <translation>Parameter speichern</translation>
    </message>
    <message>
        <source>Open parameters</source>
        <translation>Parameter öffnen</translation>
    </message>
    <message>
        <source>No device found</source>
        <translation>Kein Gerät gefunden</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Uhr</translation>
    </message>
    <message>
        <source>Clock on USB</source>
        <translation>Uhr am USB</translation>
    </message>
    <message>
        <source>Clock&apos;s version</source>
        <translation>Version der Uhr</translation>
    </message>
    <message>
        <source>Link: green while the clock answers, red while it is silent</source>
        <translation>Verbindung: grün, solange die Uhr antwortet, rot, solange sie schweigt</translation>
    </message>
    <message>
        <source>Clock&apos;s date</source>
        <translation>Datum der Uhr</translation>
    </message>
    <message>
        <source>Clock&apos;s time</source>
        <translation>Uhrzeit der Uhr</translation>
    </message>
    <message>
        <source>Whirlbeam running: lit while it is not in standby</source>
        <translation>Whirlbeam läuft: leuchtet, solange er nicht im Standby ist</translation>
    </message>
    <message>
        <source>Relay: lit while it is on</source>
        <translation>Relais: leuchtet, solange es eingeschaltet ist</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Not avaible on Whirlbeam Clock&apos;s base built with 16F628(A) or 16F648A.</source>
        <translation>Nicht verfügbar bei einer Basis der Whirlbeam-Uhr mit 16F628(A) oder 16F648A.</translation>
    </message>
    <message>
        <source>Date - Time</source>
        <translation>Datum - Zeit</translation>
    </message>
    <message>
        <source>&amp;Date Time</source>
        <translation>&amp;Datum/Zeit</translation>
    </message>
    <message>
        <source>Alarms I</source>
        <translation>Alarme I</translation>
    </message>
    <message>
        <source>&amp;Alarms I</source>
        <translation>&amp;Alarme I</translation>
    </message>
    <message>
        <source>Alarms II</source>
        <translation>Alarme II</translation>
    </message>
    <message>
        <source>A&amp;larms II</source>
        <translation>A&amp;larme II</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Modus</translation>
    </message>
    <message>
        <source>PWM parameters</source>
        <translation>PWM-Parameter</translation>
    </message>
    <message>
        <source>&amp;PWM parameters</source>
        <translation>&amp;PWM-Parameter</translation>
    </message>
    <message>
        <source>Infra RC5 commands</source>
        <translation>Infrarot-RC5-Befehle</translation>
    </message>
    <message>
        <source>&amp;Infra RC5 commands</source>
        <translation>&amp;Infrarot-RC5-Befehle</translation>
    </message>
    <message>
        <source>Whirlbeam</source>
        <translation>Whirlbeam</translation>
    </message>
    <message>
        <source>Whirl&amp;beam</source>
        <translation>Whirl&amp;beam</translation>
    </message>
    <message>
        <source>Relais</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>&amp;Relais</source>
        <translation>&amp;Relais</translation>
    </message>
    <message>
        <source>DCF77 synchron</source>
        <translation>DCF77-Sync</translation>
    </message>
    <message>
        <source>D&amp;CF77</source>
        <translation>D&amp;CF77</translation>
    </message>
    <message>
        <source>Measurements</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>M&amp;easurements</source>
        <translation>M&amp;esswerte</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Load Alarms</source>
        <translation>Alarme &amp;laden</translation>
    </message>
    <message>
        <source>&amp;Save Alarms</source>
        <translation>Alarme &amp;speichern</translation>
    </message>
    <message>
        <source>Load &amp;parameters</source>
        <translation>&amp;Parameter laden</translation>
    </message>
    <message>
        <source>Save pa&amp;rameters</source>
        <translation>Pa&amp;rameter speichern</translation>
    </message>
    <message>
        <source>Save IR command &amp;history</source>
        <translation>IR-Befehls&amp;verlauf speichern</translation>
    </message>
    <message>
        <source>Save &amp;DCF77 statistics</source>
        <translation>&amp;DCF77-Statistik speichern</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>R&amp;efresh</source>
        <translation>A&amp;ktualisieren</translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation>&amp;Kommunikation</translation>
    </message>
    <message>
        <source>&amp;USB</source>
        <translation>&amp;USB</translation>
    </message>
    <message>
        <source>&amp;Serial</source>
        <translation>&amp;Seriell</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Parameters</source>
        <translation>&amp;Parameter</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Einstellungen speichern</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Whirlbeam mode</source>
        <translation>Whirlbeam-Modus</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Command lines waiting to be sent to the clock</source>
        <translation>Befehlszeilen, die auf das Senden an die Uhr warten</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Whirlbeam clock V4.02</source>
        <translation>Whirlbeam-Uhr V4.02</translation>
    </message>
    <message>
        <source>Not a whirlbeam clock</source>
        <translation>Keine Whirlbeam-Uhr</translation>
    </message>
    <message>
        <source>Invalid</source>
        <translation>Ungültig</translation>
    </message>
    <message>
        <source>Whirlbeam in run mode</source>
        <translation>Whirlbeam im Laufmodus</translation>
    </message>
    <message>
        <source>Whirlbeam in deap sleep mode</source>
        <translation>Whirlbeam im Tiefschlaf</translation>
    </message>
    <message>
        <source>Whirlbeam in sleep mode</source>
        <translation>Whirlbeam im Schlafmodus</translation>
    </message>
    <message>
        <source>Time is invalid</source>
        <translation>Zeit ungültig</translation>
    </message>
    <message>
        <source>Time is valid</source>
        <translation>Zeit gültig</translation>
    </message>
    <message>
        <source>Relais is on</source>
        <translation>Relais ein</translation>
    </message>
    <message>
        <source>Relais is off</source>
        <translation>Relais aus</translation>
    </message>
    <message>
        <source>Press open to connect to the clock</source>
        <translation>Zum Verbinden Öffnen drücken</translation>
    </message>
    <message>
        <source>Version not read</source>
        <translation>Nicht gelesen</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Clock unplugged</source>
        <translation>Uhr abgezogen</translation>
    </message>
    <message>
        <source>no alarm was sent to the clock</source>
        <translation>es wurde kein Alarm an die Uhr gesendet</translation>
    </message>
    <message>
        <source>1 alarm before line %1 was sent to the clock</source>
        <translation>1 Alarm vor Zeile %1 wurde an die Uhr gesendet</translation>
    </message>
    <message numerus="yes">
        <source>%n alarms before line %1 were sent to the clock</source>
        <translation>
            <numerusform>%n Alarm vor Zeile %1 wurde an die Uhr gesendet</numerusform>
            <numerusform>%n Alarme vor Zeile %1 wurden an die Uhr gesendet</numerusform>
        </translation>
    </message>
    <message>
        <source>Link lamp</source>
        <translation>Lampe Verbindung</translation>
    </message>
    <message>
        <source>Whirlbeam running lamp</source>
        <translation>Lampe Whirlbeam läuft</translation>
    </message>
    <message>
        <source>Relay lamp</source>
        <translation>Lampe Relais</translation>
    </message>
    <message>
        <source>Reconnect automatically</source>
        <translation>Automatisch neu verbinden</translation>
    </message>
    <message>
        <source>Waiting for the clock to return (USB serial %1)</source>
        <translation>Warte auf die Rückkehr der Uhr (USB, Seriennummer %1)</translation>
    </message>
    <message>
        <source>Waiting for the clock to return (%1)</source>
        <translation>Warte auf die Rückkehr der Uhr (%1)</translation>
    </message>
    <message>
        <source>&amp;Traffic</source>
        <translation>&amp;Verkehr</translation>
    </message>
    <message>
        <source>Export sensor history</source>
        <translation>Sensorverlauf exportieren</translation>
    </message>
    <message>
        <source>Comma-separated values *.csv|*.csv|All Files *.*|*.*</source>
        <translation>Kommagetrennte Werte *.csv|*.csv|Alle Dateien *.*|*.*</translation>
    </message>
</context>
<context>
    <name>THexEdit</name>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Einf&amp;ügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
</context>
<context>
    <name>TLED</name>
    <message>
        <source>red</source>
        <translation>rot</translation>
    </message>
    <message>
        <source>green</source>
        <translation>grün</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>gelb</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>blau</translation>
    </message>
    <message>
        <source>purple</source>
        <translation>violett</translation>
    </message>
    <message>
        <source>white</source>
        <translation>weiß</translation>
    </message>
    <message>
        <source>on</source>
        <translation>an</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>TMavoTrend</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>TSpinButton</name>
    <message>
        <source>Increase</source>
        <translation>Erhöhen</translation>
    </message>
    <message>
        <source>Decrease</source>
        <translation>Verringern</translation>
    </message>
    <message>
        <source>Increase %1</source>
        <translation>%1 erhöhen</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>%1 verringern</translation>
    </message>
</context>
<context>
    <name>TrafficModel</name>
    <message>
        <source>sent</source>
        <translation>gesendet</translation>
    </message>
    <message>
        <source>received</source>
        <translation>empfangen</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Dir.</source>
        <translation>Richt.</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Bedeutung</translation>
    </message>
</context>
<context>
    <name>TrafficView</name>
    <message>
        <source>Paused: no line skipped</source>
        <translation>Angehalten: keine Zeile ausgelassen</translation>
    </message>
    <message>
        <source>Paused: 1 line skipped</source>
        <translation>Angehalten: 1 Zeile ausgelassen</translation>
    </message>
    <message numerus="yes">
        <source>Paused: %n lines skipped</source>
        <translation>
            <numerusform>Angehalten: %n Zeile ausgelassen</numerusform>
            <numerusform>Angehalten: %n Zeilen ausgelassen</numerusform>
        </translation>
    </message>
    <message>
        <source>Traffic</source>
        <translation>Verkehr</translation>
    </message>
    <message>
        <source>Show poll traffic</source>
        <translation>Abfrageverkehr zeigen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Command line</source>
        <translation>Befehlszeile</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Traffic lines</source>
        <translation>Verkehrszeilen</translation>
    </message>
    <message>
        <source>Search the traffic</source>
        <translation>Verkehr durchsuchen</translation>
    </message>
    <message>
        <source>Pause the traffic</source>
        <translation>Verkehr anhalten</translation>
    </message>
    <message>
        <source>Copy traffic lines</source>
        <translation>Verkehrszeilen kopieren</translation>
    </message>
    <message>
        <source>Clear the traffic</source>
        <translation>Verkehr leeren</translation>
    </message>
    <message>
        <source>Save the traffic as</source>
        <translation>Verkehr speichern unter</translation>
    </message>
    <message>
        <source>Pause state</source>
        <translation>Anhaltezustand</translation>
    </message>
    <message>
        <source>Command line to send</source>
        <translation>Zu sendende Befehlszeile</translation>
    </message>
    <message>
        <source>Send command line</source>
        <translation>Befehlszeile senden</translation>
    </message>
    <message>
        <source>Why the command line was refused</source>
        <translation>Warum die Befehlszeile abgelehnt wurde</translation>
    </message>
    <message>
        <source>Save traffic</source>
        <translation>Verkehr speichern</translation>
    </message>
    <message>
        <source>Traffic logs *.log|*.log|All Files *.*|*.*</source>
        <translation>Verkehrsprotokolle *.log|*.log|Alle Dateien *.*|*.*</translation>
    </message>
</context>
<context>
    <name>WhirlbeamPage</name>
    <message>
        <source>Whirlbeam state:</source>
        <translation>Whirlbeam-Zustand:</translation>
    </message>
    <message>
        <source>In StandBy mode</source>
        <translation>Im Standby</translation>
    </message>
    <message>
        <source>In Sleep mode</source>
        <translation>Im Schlafmodus</translation>
    </message>
    <message>
        <source>In Deep Sleep mode</source>
        <translation>Im Tiefschlafmodus</translation>
    </message>
    <message>
        <source>High power on coil</source>
        <translation>Hohe Spulenleistung</translation>
    </message>
    <message>
        <source>Index LED on</source>
        <translation>Index-LED an</translation>
    </message>
    <message>
        <source>Time invalid</source>
        <translation>Zeit ungültig</translation>
    </message>
    <message>
        <source>I2C bus error</source>
        <translation>I2C-Busfehler</translation>
    </message>
    <message>
        <source>Blinks while the clock&apos;s time is invalid</source>
        <translation>Blinkt, solange die Uhrzeit der Uhr ungültig ist</translation>
    </message>
    <message>
        <source>Lit while the index LED is on</source>
        <translation>Leuchtet, solange die Index-LED an ist</translation>
    </message>
    <message>
        <source>Remaining time [sec]</source>
        <translation>Restzeit [s]</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Time invalid lamp</source>
        <translation>Lampe Zeit ungültig</translation>
    </message>
    <message>
        <source>Index LED lamp</source>
        <translation>Lampe Index-LED</translation>
    </message>
</context>
<context>
    <name>whirlbeamctl</name>
    <message>
        <source>no subcommand given</source>
        <translation>kein Unterbefehl angegeben</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs %2</source>
        <translation>&apos;%1&apos; erwartet %2</translation>
    </message>
    <message>
        <source>a command line</source>
        <translation>eine Befehlszeile</translation>
    </message>
    <message>
        <source>a file name</source>
        <translation>einen Dateinamen</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs one of: save, load</source>
        <translation>&apos;%1&apos; erwartet eines von: save, load</translation>
    </message>
    <message>
        <source>unknown subcommand &apos;%1&apos;</source>
        <translation>unbekannter Unterbefehl &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--serial, --usb and --simulate exclude each other</source>
        <translation>--serial, --usb und --simulate schließen einander aus</translation>
    </message>
    <message>
        <source>--log needs a file name</source>
        <translation>--log erwartet einen Dateinamen</translation>
    </message>
    <message>
        <source>--timeout takes a number of seconds from 0.001 to 3600</source>
        <translation>--timeout erwartet eine Sekundenzahl von 0.001 bis 3600</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--serial needs a port</source>
        <translation>--serial erwartet einen Port</translation>
    </message>
    <message>
        <source>--simulate takes &apos;usb&apos; or &apos;serial&apos;, not &apos;%1&apos;</source>
        <translation>--simulate erwartet &apos;usb&apos; oder &apos;serial&apos;, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Usage: whirlbeamctl [OPTIONS] SUBCOMMAND [ARGUMENTS] [OPTIONS]
Talks to a whirlbeam clock over USB or a serial port, as the control panel does.

Subcommands:
</source>
        <translation>Aufruf: whirlbeamctl [OPTIONEN] UNTERBEFEHL [ARGUMENTE] [OPTIONEN]
Spricht über USB oder einen seriellen Port mit einer Whirlbeam-Uhr, wie das Bedienprogramm.

Unterbefehle:
</translation>
    </message>
    <message>
        <source>, chip %1</source>
        <translation>, Chip %1</translation>
    </message>
    <message>
        <source> (invalid)</source>
        <translation> (ungültig)</translation>
    </message>
    <message>
        <source> (valid)</source>
        <translation> (gültig)</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Gerät:</translation>
    </message>
    <message>
        <source>Clock:</source>
        <translation>Uhr:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Alarms:</source>
        <translation>Alarme:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Uhrzeit:</translation>
    </message>
    <message>
        <source>Whirlbeam:</source>
        <translation>Whirlbeam:</translation>
    </message>
    <message>
        <source>Relay:</source>
        <translation>Relais:</translation>
    </message>
    <message>
        <source>Sensors:</source>
        <translation>Sensoren:</translation>
    </message>
    <message>
        <source>the clock&apos;s answer %1 to %2 cannot be read</source>
        <translation>die Antwort %1 der Uhr auf %2 ist nicht lesbar</translation>
    </message>
    <message>
        <source>cannot save %1%2</source>
        <translation>%1 lässt sich nicht speichern%2</translation>
    </message>
    <message>
        <source>cannot read %1%2</source>
        <translation>%1 lässt sich nicht lesen%2</translation>
    </message>
    <message>
        <source>%1 answers, but not as a whirlbeam clock: %2</source>
        <translation>%1 antwortet, aber nicht wie eine Whirlbeam-Uhr: %2</translation>
    </message>
    <message>
        <source>the clock&apos;s version %1 is not supported (3 or later is)</source>
        <translation>die Version %1 der Uhr wird nicht unterstützt (unterstützt wird ab Version 3)</translation>
    </message>
    <message>
        <source>The clock reads %1; this computer %2.</source>
        <translation>Die Uhr zeigt %1, dieser Computer %2.</translation>
    </message>
    <message>
        <source>the clock reads %1 after setting; this computer %2</source>
        <translation>die Uhr zeigt nach dem Stellen %1, dieser Computer %2</translation>
    </message>
    <message>
        <source>Saved 1 alarm to %1.</source>
        <translation>1 Alarm in %1 gespeichert.</translation>
    </message>
    <message>
        <source>Saved %1 alarms to %2.</source>
        <translation>%1 Alarme in %2 gespeichert.</translation>
    </message>
    <message>
        <source>holds no alarm lines</source>
        <translation>enthält keine Alarmzeilen</translation>
    </message>
    <message>
        <source>the clock took %1 as %2</source>
        <translation>die Uhr hat %1 als %2 übernommen</translation>
    </message>
    <message>
        <source>Sent 1 alarm from %1.</source>
        <translation>1 Alarm aus %1 gesendet.</translation>
    </message>
    <message>
        <source>Sent %1 alarms from %2.</source>
        <translation>%1 Alarme aus %2 gesendet.</translation>
    </message>
    <message>
        <source> 1 line for rows the clock lacks (it has %1 alarms) was skipped.</source>
        <translation> 1 Zeile für Alarme, die der Uhr fehlen (sie hat %1 Alarme), wurde übersprungen.</translation>
    </message>
    <message>
        <source> %1 lines for rows the clock lacks (it has %2 alarms) were skipped.</source>
        <translation> %1 Zeilen für Alarme, die der Uhr fehlen (sie hat %2 Alarme), wurden übersprungen.</translation>
    </message>
    <message>
        <source>Saved the parameters to %1.</source>
        <translation>Parameter in %1 gespeichert.</translation>
    </message>
    <message>
        <source>holds no command lines</source>
        <translation>enthält keine Befehlszeilen</translation>
    </message>
    <message>
        <source>Sent 1 parameter line from %1.</source>
        <translation>1 Parameterzeile aus %1 gesendet.</translation>
    </message>
    <message>
        <source>Sent %1 parameter lines from %2.</source>
        <translation>%1 Parameterzeilen aus %2 gesendet.</translation>
    </message>
    <message>
        <source>Saved the DCF77 statistics to %1.</source>
        <translation>DCF77-Statistik in %1 gespeichert.</translation>
    </message>
    <message>
        <source>identification, version, date, time, whirlbeam state, relay, sensors</source>
        <translation>Kennung, Version, Datum, Uhrzeit, Whirlbeam-Zustand, Relais, Sensoren</translation>
    </message>
    <message>
        <source>write the clock&apos;s alarms to FILE (.alm, as the panel writes it)</source>
        <translation>die Alarme der Uhr in FILE schreiben (.alm, wie das Bedienprogramm)</translation>
    </message>
    <message>
        <source>send the alarms of FILE to the clock (rows the clock lacks are skipped)</source>
        <translation>die Alarme aus FILE an die Uhr senden (Alarme, die der Uhr fehlen,
werden übersprungen)</translation>
    </message>
    <message>
        <source>write the clock&apos;s parameters to FILE (.par, as the panel writes it)</source>
        <translation>die Parameter der Uhr in FILE schreiben (.par, wie das Bedienprogramm)</translation>
    </message>
    <message>
        <source>send every command line of FILE to the clock</source>
        <translation>jede Befehlszeile aus FILE an die Uhr senden</translation>
    </message>
    <message>
        <source>the hourly DCF77 synchronisation figures, to FILE or standard output</source>
        <translation>die stündlichen DCF77-Synchronisationszahlen in FILE oder auf die
Standardausgabe</translation>
    </message>
    <message>
        <source>send one command line and print the reply lines that follow</source>
        <translation>eine Befehlszeile senden und die folgenden Antwortzeilen ausgeben</translation>
    </message>
    <message>
        <source> (whirlbeamctl --help lists what it takes)</source>
        <translation> (whirlbeamctl --help zeigt, was möglich ist)</translation>
    </message>
    <message>
        <source>--require-synced applies to sync-time only</source>
        <translation>--require-synced gilt nur für sync-time</translation>
    </message>
    <message>
        <source>--watch applies to offset only</source>
        <translation>--watch gilt nur für offset</translation>
    </message>
    <message>
        <source>--zone takes a time zone such as Europe/Berlin, not &apos;%1&apos;</source>
        <translation>--zone erwartet eine Zeitzone wie Europe/Berlin, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--watch takes a number of minutes from 1 to 10080</source>
        <translation>--watch erwartet eine Minutenzahl von 1 bis 10080</translation>
    </message>
    <message>
        <source>set the clock&apos;s date and time from this computer&apos;s local time, on
the second&apos;s edge, and read them back</source>
        <translation>Datum und Uhrzeit der Uhr nach der Ortszeit dieses Computers genau
zum Sekundenbeginn stellen und zurücklesen</translation>
    </message>
    <message>
        <source>measure how far the clock is ahead of or behind this computer, to
the millisecond, without changing it</source>
        <translation>messen, wie weit die Uhr diesem Computer vor- oder nachgeht, auf die
Millisekunde, ohne sie zu verstellen</translation>
    </message>
    <message>
        <source>the clock answers too slowly to be set on a second&apos;s edge</source>
        <translation>die Uhr antwortet zu langsam, um sie zum Sekundenbeginn zu stellen</translation>
    </message>
    <message>
        <source>the clock&apos;s second could not be found within 30 s</source>
        <translation>der Sekundenbeginn der Uhr war innerhalb von 30 s nicht zu finden</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>The clock is %1 ahead of this computer (to within %2 ms).</source>
        <translation>Die Uhr geht diesem Computer %1 vor (auf %2 ms genau).</translation>
    </message>
    <message>
        <source>The clock is %1 behind this computer (to within %2 ms).</source>
        <translation>Die Uhr geht diesem Computer %1 nach (auf %2 ms genau).</translation>
    </message>
    <message>
        <source>Drift: too few measurements to tell.</source>
        <translation>Gangabweichung: zu wenige Messungen, um sie anzugeben.</translation>
    </message>
    <message>
        <source>%1; the clock is left as it is</source>
        <translation>%1; die Uhr bleibt, wie sie ist</translation>
    </message>
    <message>
        <source>Drift: not enough data (%1 ± %2 ppm).</source>
        <translation>Gangabweichung: zu wenige Daten (%1 ± %2 ppm).</translation>
    </message>
    <message>
        <source>Drift: %1 ± %2 ppm (%3 s a day).</source>
        <translation>Gangabweichung: %1 ± %2 ppm (%3 s am Tag).</translation>
    </message>
    <message>
        <source>--unplug-after and --replug-after apply to --simulate only</source>
        <translation>--unplug-after und --replug-after gelten nur für --simulate</translation>
    </message>
    <message>
        <source>%1 takes a number of seconds from 0.001 to 86400</source>
        <translation>%1 erwartet eine Sekundenzahl von 0.001 bis 86400</translation>
    </message>
    <message>
        <source>poll as the panel does and print every reply line, decoded, until
interrupted (Ctrl-C, SIGTERM); a clock that goes away is waited for</source>
        <translation>wie das Bedienprogramm abfragen und jede Antwortzeile dekodiert ausgeben,
bis zur Unterbrechung (Strg-C, SIGTERM); auf eine verschwundene Uhr wird
gewartet</translation>
    </message>
    <message>
        <source>%1; waiting for the clock to come back</source>
        <translation>%1; warte auf die Rückkehr der Uhr</translation>
    </message>
    <message>
        <source>the clock is back on %1</source>
        <translation>die Uhr ist wieder da: %1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>--broker takes HOST or HOST:PORT (port 1 to 65535), not &apos;%1&apos;</source>
        <translation>--broker erwartet HOST oder HOST:PORT (Port 1 bis 65535), nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--poll takes a number of seconds from 1 to 3600</source>
        <translation>--poll erwartet eine Anzahl Sekunden von 1 bis 3600</translation>
    </message>
    <message>
        <source>--id takes letters, digits, &apos;-&apos; and &apos;_&apos;, not &apos;%1&apos;</source>
        <translation>--id erwartet Buchstaben, Ziffern, &apos;-&apos; und &apos;_&apos;, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 takes a topic without + or # and without a trailing /, not &apos;%2&apos;</source>
        <translation>%1 erwartet ein Topic ohne + oder # und ohne / am Ende, nicht &apos;%2&apos;</translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation>%1: keine solche Datei</translation>
    </message>
    <message>
        <source>%1 is readable or writable by others; allow its owner alone (chmod 600)</source>
        <translation>%1 ist für andere les- oder schreibbar; nur ihr Besitzer darf es (chmod 600)</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>publish the clock on an MQTT broker (state topics, Home Assistant
discovery, commands) until interrupted; a clock or broker that goes
away is waited for</source>
        <translation>die Uhr an einem MQTT-Broker veröffentlichen (Zustands-Topics, Discovery
für Home Assistant, Befehle) bis zur Unterbrechung; auf eine verschwundene
Uhr oder einen verschwundenen Broker wird gewartet</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 nimmt keinen Wert</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>the broker %1:%2 did not take the connection</source>
        <translation>der Broker %1:%2 hat die Verbindung nicht angenommen</translation>
    </message>
    <message>
        <source>not a config file</source>
        <translation>keine Konfigurationsdatei</translation>
    </message>
    <message>
        <source>--no-reconnect applies to monitor and log only</source>
        <translation>--no-reconnect gilt nur für monitor und log</translation>
    </message>
    <message>
        <source>--csv needs a file name</source>
        <translation>--csv braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>--interval takes a number of seconds from 1 to 86400</source>
        <translation>--interval erwartet eine Sekundenzahl von 1 bis 86400</translation>
    </message>
    <message>
        <source>%1 applies to monitor only</source>
        <translation>%1 gilt nur für monitor</translation>
    </message>
    <message>
        <source>--words and --raw exclude each other</source>
        <translation>--words und --raw schließen einander aus</translation>
    </message>
    <message>
        <source>%1 applies to log only</source>
        <translation>%1 gilt nur für log</translation>
    </message>
    <message>
        <source>&apos;log&apos; needs --csv FILE</source>
        <translation>&apos;log&apos; braucht --csv FILE</translation>
    </message>
    <message>
        <source>
Options (before or after the subcommand):
  --serial PORT       the clock on serial port PORT (COM1 = /dev/ttyS0, ttyUSB0, /dev/pts/3 ...)
  --usb [SERIAL]      the clock on USB; SERIAL (its serial number or /dev/hidrawN) picks one
                      of several (--usb=SERIAL where a subcommand&apos;s argument could follow)
  --simulate [usb]    a simulated clock in this process: on a pseudo terminal, or as a USB device
  --unplug-after SEC  with --simulate: unplug the simulated clock SEC seconds after the start
                      (decimals allowed), once; SIGUSR1 unplugs it at any time
  --replug-after SEC  with --simulate: plug it back in SEC seconds after every unplugging (on USB
                      with its serial number, on serial as a new pseudo terminal behind the same
                      port name); SIGUSR2 plugs it back in at any time
  --json              the result as JSON: one object (an error as {&quot;error&quot;, &quot;exitCode&quot;});
                      monitor and offset --watch one object a line
  --log FILE          append every command sent and every reply line received to FILE,
                      each behind the time to the millisecond
  --zone ZONE         the clock keeps the time of ZONE (Europe/Berlin, as DCF77 gives it),
                      not this computer&apos;s (sync-time, offset)
  --require-synced    sync-time sets the clock only while this computer&apos;s clock is
                      synchronised to a time source (exit code 8 otherwise)
  --watch MINUTES     offset: go on measuring for MINUTES (or until interrupted) and tell
                      the clock&apos;s drift with its standard error
  --timeout SECONDS   how long the clock may stay silent (default 5)
  --no-reconnect      monitor, log: end when the clock goes away (exit code 3) rather
                      than wait for it to come back
  --words             monitor: print the words of each reply alone
  --raw               monitor: print each line as received (escaped as --log escapes it)
  --csv FILE          log: append one row per measurement to FILE (CSV; the header
                      when FILE is new or empty)
  --interval SECONDS  log: ask for the measurement every SECONDS (1 to 86400, default 60)
  --broker HOST[:PORT]
                      mqtt: the MQTT broker (default localhost:1883, with TLS port 8883)
  --tls               mqtt: talk to the broker over TLS, its certificate checked against
                      the system&apos;s CAs in /etc/ssl/certs
  --cafile FILE       mqtt: check the broker&apos;s certificate against the CA certificates of
                      FILE (PEM) instead; implies --tls
  --username NAME     mqtt: the name to log in to the broker with
  --password-file FILE
                      mqtt: its password, the file&apos;s first line (readable by its owner only)
  --id ID             mqtt: the clock&apos;s id in topics (default its USB serial number, or its
                      serial port&apos;s name)
  --topic-prefix TOPIC
                      mqtt: the topics&apos; prefix (default whirlbeam/ID)
  --discovery-prefix TOPIC
                      mqtt: Home Assistant&apos;s discovery prefix (default homeassistant)
  --no-discovery      mqtt: publish no Home Assistant discovery configs
  --remove-discovery  mqtt: publish empty discovery configs, so that Home Assistant forgets
                      the clock, and end
  --poll SECONDS      mqtt: ask the clock for its state every SECONDS (default 5)
  --allow-raw         mqtt: TOPIC/raw/set sends any command line, checked as send checks it
  --config FILE       mqtt: read options from FILE too, one &quot;name = value&quot; a line (names as
                      the long options without --, # begins a comment); the command line wins
  -h, --help          this text
  -v, --version       the version

Without --serial, --usb or --simulate: a whirlbeam clock plugged in on USB, otherwise the
serial port of ./WhirlbeamClock.ini (the panel&apos;s settings; COM1 when there are none).

Exit codes:
  0    success
  1    the clock answered, but not as asked (not a whirlbeam clock, a value that did not take)
  2    wrong command line
  3    no device: no such port, no clock on USB, or it went away
  4    permission denied on the port or the USB clock
  5    no answer from the clock within the timeout
  6    a file cannot be read or written, or is not a valid alarm or parameter file
  7    the port is in use by another program
  8    this computer&apos;s clock is not synchronised (--require-synced)
  130  interrupted (143 for SIGTERM) before the subcommand finished, and how monitor ends
</source>
        <translation>
Optionen (vor oder nach dem Unterbefehl):
  --serial PORT       die Uhr am seriellen Port PORT (COM1 = /dev/ttyS0, ttyUSB0, /dev/pts/3 ...)
  --usb [SERIAL]      die Uhr am USB; SERIAL (ihre Seriennummer oder /dev/hidrawN) wählt eine
                      von mehreren (--usb=SERIAL, wo ein Argument des Unterbefehls folgen könnte)
  --simulate [usb]    eine simulierte Uhr in diesem Prozess: an einem Pseudoterminal oder als
                      USB-Gerät
  --unplug-after SEC  mit --simulate: die simulierte Uhr SEC Sekunden nach dem Start abziehen
                      (Dezimalstellen erlaubt), einmal; SIGUSR1 zieht sie jederzeit ab
  --replug-after SEC  mit --simulate: sie SEC Sekunden nach jedem Abziehen wieder einstecken (am
                      USB mit ihrer Seriennummer, seriell als neues Pseudoterminal hinter demselben
                      Portnamen); SIGUSR2 steckt sie jederzeit wieder ein
  --json              das Ergebnis als JSON: ein Objekt (ein Fehler als {&quot;error&quot;, &quot;exitCode&quot;});
                      bei monitor und offset --watch ein Objekt je Zeile
  --log FILE          jeden gesendeten Befehl und jede empfangene Antwortzeile an FILE anhängen,
                      jeweils hinter der Uhrzeit auf die Millisekunde
  --zone ZONE         die Uhr geht nach der Zeit von ZONE (Europe/Berlin, wie DCF77 sie sendet),
                      nicht nach der dieses Computers (sync-time, offset)
  --require-synced    sync-time stellt die Uhr nur, solange die Uhr dieses Computers mit einer
                      Zeitquelle synchronisiert ist (sonst Exit-Code 8)
  --watch MINUTES     offset: MINUTES lang (oder bis zur Unterbrechung) weiter messen und die
                      Gangabweichung der Uhr mit ihrem Standardfehler nennen
  --timeout SECONDS   wie lange die Uhr schweigen darf (Standard 5)
  --no-reconnect      monitor, log: enden, wenn die Uhr verschwindet (Exit-Code 3), statt
                      auf ihre Rückkehr zu warten
  --words             monitor: nur die Wörter jeder Antwort ausgeben
  --raw               monitor: jede Zeile wie empfangen ausgeben (maskiert wie bei --log)
  --csv FILE          log: je Messung eine Zeile an FILE anhängen (CSV; die Kopfzeile,
                      wenn FILE neu oder leer ist)
  --interval SECONDS  log: alle SECONDS Sekunden nach der Messung fragen (1 bis 86400,
                      Standard 60)
  --broker HOST[:PORT]
                      mqtt: der MQTT-Broker (Standard localhost:1883, mit TLS Port 8883)
  --tls               mqtt: mit dem Broker über TLS sprechen, sein Zertifikat gegen die
                      CAs des Systems in /etc/ssl/certs geprüft
  --cafile FILE       mqtt: das Zertifikat des Brokers stattdessen gegen die CA-Zertifikate
                      aus FILE (PEM) prüfen; schließt --tls ein
  --username NAME     mqtt: der Name, mit dem sich die Brücke am Broker anmeldet
  --password-file FILE
                      mqtt: sein Passwort, die erste Zeile der Datei (nur für den Besitzer lesbar)
  --id ID             mqtt: die Kennung der Uhr in den Topics (Standard ihre USB-Seriennummer oder
                      der Name ihres seriellen Ports)
  --topic-prefix TOPIC
                      mqtt: das Präfix der Topics (Standard whirlbeam/ID)
  --discovery-prefix TOPIC
                      mqtt: das Discovery-Präfix von Home Assistant (Standard homeassistant)
  --no-discovery      mqtt: keine Discovery-Konfigurationen für Home Assistant veröffentlichen
  --remove-discovery  mqtt: leere Discovery-Konfigurationen veröffentlichen, damit Home Assistant
                      die Uhr vergisst, und enden
  --poll SECONDS      mqtt: die Uhr alle SECONDS Sekunden nach ihrem Zustand fragen (Standard 5)
  --allow-raw         mqtt: TOPIC/raw/set sendet jede Befehlszeile, geprüft wie bei send
  --config FILE       mqtt: Optionen auch aus FILE lesen, je Zeile &quot;Name = Wert&quot; (Namen wie die
                      langen Optionen ohne --, # leitet Kommentare ein); die Befehlszeile geht vor
  -h, --help          dieser Text
  -v, --version       die Version

Ohne --serial, --usb oder --simulate: eine am USB eingesteckte Whirlbeam-Uhr, sonst der
serielle Port aus ./WhirlbeamClock.ini (den Einstellungen des Bedienprogramms; COM1, wenn
es keine gibt).

Exit-Codes:
  0    Erfolg
  1    die Uhr hat geantwortet, aber nicht wie erwartet (keine Whirlbeam-Uhr, ein Wert
       wurde nicht übernommen)
  2    fehlerhafte Befehlszeile
  3    kein Gerät: kein solcher Port, keine Uhr am USB oder sie ist verschwunden
  4    keine Berechtigung für den Port oder die USB-Uhr
  5    keine Antwort der Uhr innerhalb der Wartezeit
  6    eine Datei lässt sich nicht lesen oder schreiben oder ist keine gültige Alarm- oder
       Parameterdatei
  7    der Port wird von einem anderen Programm benutzt
  8    die Uhr dieses Computers ist nicht synchronisiert (--require-synced)
  130  unterbrochen (143 bei SIGTERM), bevor der Unterbefehl fertig war; so endet auch monitor
</translation>
    </message>
    <message>
        <source>ask for the measurement every --interval seconds and append each
reply to the --csv file as a row, until interrupted; a clock that
goes away is waited for</source>
        <translation>alle --interval Sekunden nach der Messung fragen und jede Antwort als
Zeile an die --csv-Datei anhängen, bis zur Unterbrechung; auf eine
verschwundene Uhr wird gewartet</translation>
    </message>
    <message>
        <source>%1 is not a command line (a command character a..z, {, |, }, ~, ` or DEL, then printable ASCII)</source>
        <translation>%1 ist keine Befehlszeile (ein Befehlszeichen a..z, {, |, }, ~, ` oder DEL, dann druckbares ASCII)</translation>
    </message>
</context>
</TS>
