<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AlarmTable</name>
    <message>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarm %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ignore hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>whirlbeam on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>whirlbeam off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>relay on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Friday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alm:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On days of week:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarm time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignore hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relais</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On time min. /</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send all alarms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable all alarms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear alarm sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reread alarms</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClockDeviceTexts</name>
    <message>
        <source>The clock %1 cannot be opened: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClockLinkTexts</name>
    <message>
        <source>%1 is gone (unplugged?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no whirlbeam clock on USB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no whirlbeam clock on USB with serial number %1 (found: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the USB clock %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was unplugged</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClockSessionTexts</name>
    <message>
        <source> to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer from %1%2 within %3 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DateTimePage</name>
    <message>
        <source>Date and time from Whirlbeam Clock:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date and time from Computer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RefreshTimeCheckBox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blinks while the clock&apos;s time is invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock&apos;s date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock&apos;s day of week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock&apos;s time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer&apos;s date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer&apos;s day of week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer&apos;s time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time invalid</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dcf77Page</name>
    <message>
        <source>DCF77 decoded:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day of week:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hour:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minute:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of successfull synchronizations:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in last hour:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DCF77 decoding state:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wait for synchron</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parity error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last decoded time used CEST=UTC+2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MavoTrend1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save statistics</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EComPort</name>
    <message>
        <source>Unable to open com port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WriteFile function failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ReadFile function failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Async parameter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PurgeComm function failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to get async status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SetCommState function failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SetCommTimeouts failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SetupComm function failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ClearCommError function failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GetCommModemStatus function failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EscapeCommFunction function failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TransmitCommChar function failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot set property while connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EnumPorts function failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to store settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to load settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link (un)registration failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot change led state if ComPort is selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot wait for event if event thread is created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WaitForEvent method failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A component is linked to OnRxBuf event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registry error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (win error code: %1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileProblem</name>
    <message>
        <source>Line %1 is not an alarm line: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 is not a command line: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LinkLogTexts</name>
    <message>
        <source>cannot write the log %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>writing the log %1 failed: %2; the log ends here</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MeasurementPage</name>
    <message>
        <source>Light:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offsets:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Humidity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Air pressure:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 offset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModePage</name>
    <message>
        <source>Auto standby</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wake up in Run mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No coil drive in Sleep mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound at hour change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DCF77 synchronization</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reread time at midnight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motor PWM enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motor PWM manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motor PWM light</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motor PWM low speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, as the clock reports it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto standby time [sec]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound generated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound generated from hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound generated to hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light limit:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send times and light limit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortDescriptionTexts</name>
    <message>
        <source>serial %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PwmPage</name>
    <message>
        <source>Run mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sleep mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current setting:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pulse width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High speed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low speed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run mode pulse width, as the clock reports it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run mode pulse width to send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High speed, as the clock reports it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High speed to send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sleep mode pulse width, as the clock reports it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sleep mode pulse width to send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low speed, as the clock reports it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low speed to send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current pulse width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dafault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deep Sleep mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lit while the coil runs with high power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lit while the whirlbeam sleeps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lit while the whirlbeam is in deep sleep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam commands:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Rc5Page</name>
    <message>
        <source>Address of clock:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last received RC5 packet:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commad:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received packet history:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IRPacketMemo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Execute RC5 packet:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add 0x80 to set toggle bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address of the last received RC5 packet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command of the last received RC5 packet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address of the RC5 packet to execute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command of the RC5 packet to execute</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RelaisPage</name>
    <message>
        <source>Relais is on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remaining time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[minute]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On time for IR commands:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemErrorTexts</name>
    <message>
        <source>Only the user %1 may open %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You may not open %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is in use by another program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No device %1. Serial ports found: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The device is gone (unplugged?). Plug it in again and press Open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No such file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list of serial ports (%1) could not be read: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TComSetupFrm</name>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data bits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop bits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flow control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ComSetupFrm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Settings </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GroupBox1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Whirlbeam clock alarms *.alm|*.alm|All Files *.*|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam clock parameters *.par|*.par|All Files *.*|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File save error </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File read error </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save alarms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open alarms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save DCF77 history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam clock DCF77 history *.txt|*.txt|All Files *.*|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save IR command history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam clock IR history *.his|*.his|All Files *.*|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No device found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock on USB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock&apos;s version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link: green while the clock answers, red while it is silent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock&apos;s date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock&apos;s time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam running: lit while it is not in standby</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay: lit while it is on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not avaible on Whirlbeam Clock&apos;s base built with 16F628(A) or 16F648A.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date - Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Date Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarms I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Alarms I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarms II</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;larms II</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PWM parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;PWM parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Infra RC5 commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Infra RC5 commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirl&amp;beam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relais</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Relais</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DCF77 synchron</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D&amp;CF77</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M&amp;easurements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MainMenu1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load Alarms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Alarms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load &amp;parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save pa&amp;rameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save IR command &amp;history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;DCF77 statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;efresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;USB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Serial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command lines waiting to be sent to the clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>StatusBar1Panel%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam clock V4.02</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a whirlbeam clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam in run mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam in deap sleep mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam in sleep mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time is invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time is valid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relais is on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relais is off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press open to connect to the clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock unplugged</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>THexEdit</name>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WhirlbeamPage</name>
    <message>
        <source>Whirlbeam state:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In StandBy mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In Sleep mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In Deep Sleep mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High power on coil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index LED on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I2C bus error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blinks while the clock&apos;s time is invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lit while the index LED is on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remaining time [sec]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RemainingTimeEdit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>whirlbeamctl</name>
    <message>
        <source>no subcommand given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a command line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs one of: save, load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown subcommand &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--serial, --usb and --simulate exclude each other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--log needs a file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--timeout takes a number of seconds from 0.001 to 3600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--serial needs a port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--simulate takes &apos;usb&apos; or &apos;serial&apos;, not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: whirlbeamctl [OPTIONS] SUBCOMMAND [ARGUMENTS] [OPTIONS]
Talks to a whirlbeam clock over USB or a serial port, as the control panel does.

Subcommands:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Options (before or after the subcommand):
  --serial PORT       the clock on serial port PORT (COM1 = /dev/ttyS0, ttyUSB0, /dev/pts/3 ...)
  --usb [SERIAL]      the clock on USB; SERIAL (its serial number or /dev/hidrawN) picks one
                      of several (--usb=SERIAL where a subcommand&apos;s argument could follow)
  --simulate [usb]    a simulated clock in this process: on a pseudo terminal, or as a USB device
  --json              the result as JSON: one object, or with monitor one object a line
  --log FILE          append every command sent and every reply line received to FILE,
                      each behind the time to the millisecond
  --timeout SECONDS   how long the clock may stay silent (default 5)
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
  130  interrupted (143 for SIGTERM) before the subcommand finished
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, chip %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (invalid)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (valid)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarms:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whirlbeam:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensors:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the clock&apos;s answer %1 to %2 cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot save %1%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 answers, but not as a whirlbeam clock: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the clock&apos;s version %1 is not supported (3 or later is)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clock reads %1; this computer %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the clock reads %1 after setting; this computer %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved 1 alarm to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1 alarms to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>holds no alarm lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the clock took %1 as %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent 1 alarm from %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent %1 alarms from %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 1 line for rows the clock lacks (it has %1 alarms) was skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %1 lines for rows the clock lacks (it has %2 alarms) were skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved the parameters to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>holds no command lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is too long for %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent 1 parameter line from %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent %1 parameter lines from %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved the DCF77 statistics to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a command line (a command character a..z, {, |, }, ~, ` or DEL, then printable ASCII)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>identification, version, date, time, whirlbeam state, relay, sensors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set the clock&apos;s date and time from this computer&apos;s local time, and read them back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write the clock&apos;s alarms to FILE (.alm, as the panel writes it)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send the alarms of FILE to the clock (rows the clock lacks are skipped)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write the clock&apos;s parameters to FILE (.par, as the panel writes it)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send every command line of FILE to the clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the hourly DCF77 synchronisation figures, to FILE or standard output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send one command line and print the reply lines that follow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>poll as the panel does and print every reply line, decoded, until
interrupted (Ctrl-C, SIGTERM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (whirlbeamctl --help lists what it takes)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
