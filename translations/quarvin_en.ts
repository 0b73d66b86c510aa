<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name></name>
    <message id="noname.bin">
        <source></source>
        <translation>noname.bin</translation>
    </message>
    <message id="Fiel: ">
        <source></source>
        <translation>File: </translation>
    </message>
    <message id="&lt;File&gt;">
        <source></source>
        <translation>&lt;File&gt;</translation>
    </message>
    <message id="Can't open this file:&#10;">
        <source></source>
        <translation>Cannot open this file:
</translation>
    </message>
    <message id="Can't open this file!&#10;">
        <source></source>
        <translation>Cannot open this file!
</translation>
    </message>
    <message id="Can't write this file!&#10;">
        <source></source>
        <translation>Cannot write this file!
</translation>
    </message>
    <message id="Can't read this file!&#10;">
        <source></source>
        <translation>Cannot read this file!
</translation>
    </message>
    <message id="Bad format">
        <source></source>
        <translation>Bad format</translation>
    </message>
    <message id="Not find!">
        <source></source>
        <translation>Not found!</translation>
    </message>
    <message id="Not find">
        <source></source>
        <translation>Not found</translation>
    </message>
    <message id="Must be two BCD">
        <source></source>
        <translation>Must be two BCD digits</translation>
    </message>
    <message id="Bad input">
        <source></source>
        <translation>Bad input</translation>
    </message>
    <message id="All">
        <source></source>
        <translation>All</translation>
    </message>
    <message id="Defualt">
        <source></source>
        <translation>Default</translation>
    </message>
    <message id="1th char of word16">
        <source></source>
        <translation>1st char of word16</translation>
    </message>
    <message id="2th char of word16">
        <source></source>
        <translation>2nd char of word16</translation>
    </message>
    <message id="1th char of word32">
        <source></source>
        <translation>1st char of word32</translation>
    </message>
    <message id="2th char of word32">
        <source></source>
        <translation>2nd char of word32</translation>
    </message>
    <message id="3th char of word32">
        <source></source>
        <translation>3rd char of word32</translation>
    </message>
    <message id="4th char of word32">
        <source></source>
        <translation>4th char of word32</translation>
    </message>
    <message id="File format">
        <source></source>
        <translation>File format</translation>
    </message>
    <message id="Load mode">
        <source></source>
        <translation>Load mode</translation>
    </message>
    <message id="Buffer start address:">
        <source></source>
        <translation>Buffer start address:</translation>
    </message>
    <message id="Buffer end address:">
        <source></source>
        <translation>Buffer end address:</translation>
    </message>
    <message id=".BIN   Binarry">
        <source></source>
        <translation>.BIN   Binary</translation>
    </message>
    <message id=".HEX   Intel HEX">
        <source></source>
        <translation>.HEX   Intel HEX</translation>
    </message>
    <message id=".JED   PLD format(jeced) ">
        <source></source>
        <translation>.JED   PLD format (JEDEC) </translation>
    </message>
    <message id=".CDS   EMC format">
        <source></source>
        <translation>.CDS   EMC format</translation>
    </message>
    <message id=".S19   Motorola S-record">
        <source></source>
        <translation>.S19   Motorola S-record</translation>
    </message>
    <message id=".ELF   ELF executable">
        <source></source>
        <translation>.ELF   ELF executable</translation>
    </message>
    <message id="Yes">
        <source></source>
        <translation>Yes</translation>
    </message>
    <message id="Sum">
        <source></source>
        <translation>Sum</translation>
    </message>
    <message id="Cursor">
        <source></source>
        <translation>Cursor</translation>
    </message>
    <message id="Start">
        <source></source>
        <translation>Start</translation>
    </message>
    <message id="Fill Buffer">
        <source></source>
        <translation>Fill Buffer</translation>
    </message>
    <message id="(HEX)">
        <source></source>
        <translation>(HEX)</translation>
    </message>
    <message id="End">
        <source></source>
        <translation>End</translation>
    </message>
    <message id="Data">
        <source></source>
        <translation>Data</translation>
    </message>
    <message id="PLD缓冲区窗口">
        <source></source>
        <translation>PLD buffer window</translation>
    </message>
    <message id="光标地址:">
        <source></source>
        <translation>Cursor address:</translation>
    </message>
    <message id="检查和：">
        <source></source>
        <translation>Checksum:</translation>
    </message>
    <message id="C:">
        <source></source>
        <translation>C:</translation>
    </message>
    <message id="填充数据">
        <source></source>
        <translation>Fill data</translation>
    </message>
    <message id="扩展或缩小文件缓冲区">
        <source></source>
        <translation>Enlarge or shrink the file buffer</translation>
    </message>
    <message id="Communication error!">
        <source></source>
        <translation>Communication error!</translation>
    </message>
    <message id="FLASH/EEPROM">
        <source></source>
        <translation>FLASH/EEPROM</translation>
    </message>
    <message id="TEST TTL/COMS">
        <source></source>
        <translation>TEST TTL/CMOS</translation>
    </message>
    <message id="P29">
        <source></source>
        <translation>P29</translation>
    </message>
    <message id="AT29CX">
        <source></source>
        <translation>AT29CX</translation>
    </message>
    <message id="AT29C256">
        <source></source>
        <translation>AT29C256</translation>
    </message>
    <message id="AT49F">
        <source></source>
        <translation>AT49F</translation>
    </message>
    <message id="MX29F">
        <source></source>
        <translation>MX29F</translation>
    </message>
    <message id="PW27">
        <source></source>
        <translation>PW27</translation>
    </message>
    <message id="P27">
        <source></source>
        <translation>P27</translation>
    </message>
    <message id="P29F">
        <source></source>
        <translation>P29F</translation>
    </message>
    <message id="P24">
        <source></source>
        <translation>P24</translation>
    </message>
    <message id="AT28CX">
        <source></source>
        <translation>AT28CX</translation>
    </message>
    <message id="Select device">
        <source></source>
        <translation>Select device</translation>
    </message>
    <message id="MFG">
        <source></source>
        <translation>MFG</translation>
    </message>
    <message id="TYPE">
        <source></source>
        <translation>TYPE</translation>
    </message>
    <message id="OK">
        <source></source>
        <translation>OK</translation>
    </message>
    <message id="Detect MFG/Type">
        <source></source>
        <translation>Detect MFG/Type</translation>
    </message>
    <message id="No DEVICEx.LST file!">
        <source></source>
        <translation>No DEVICEx.LST file!</translation>
    </message>
    <message id="Device">
        <source></source>
        <translation>Device</translation>
    </message>
    <message id="Exit">
        <source></source>
        <translation>Exit</translation>
    </message>
    <message id="Read">
        <source></source>
        <translation>Read</translation>
    </message>
    <message id="Erase">
        <source></source>
        <translation>Erase</translation>
    </message>
    <message id="Blank">
        <source></source>
        <translation>Blank</translation>
    </message>
    <message id="Write">
        <source></source>
        <translation>Write</translation>
    </message>
    <message id="Programe">
        <source></source>
        <translation>Program</translation>
    </message>
    <message id="Verify">
        <source></source>
        <translation>Verify</translation>
    </message>
    <message id="Secrity">
        <source></source>
        <translation>Security</translation>
    </message>
    <message id="Protect">
        <source></source>
        <translation>Protect</translation>
    </message>
    <message id="Read F/S ">
        <source></source>
        <translation>Read F/S </translation>
    </message>
    <message id="Pro Fuse">
        <source></source>
        <translation>Pro Fuse</translation>
    </message>
    <message id="Auto">
        <source></source>
        <translation>Auto</translation>
    </message>
    <message id="Protect Mode">
        <source></source>
        <translation>Protect Mode</translation>
    </message>
    <message id="Protext+No Ver">
        <source></source>
        <translation>Protect+No Ver</translation>
    </message>
    <message id="Protect+Mo Pro">
        <source></source>
        <translation>Protect+No Pro</translation>
    </message>
    <message id="No used">
        <source></source>
        <translation>Not used</translation>
    </message>
    <message id="No Protect">
        <source></source>
        <translation>No Protect</translation>
    </message>
    <message id="Bad!">
        <source></source>
        <translation>Bad!</translation>
    </message>
    <message id="AT90s ">
        <source></source>
        <translation>AT90s </translation>
    </message>
    <message id="Fuse">
        <source></source>
        <translation>Fuse</translation>
    </message>
    <message id="Internal RC(RCEN)">
        <source></source>
        <translation>Internal RC (RCEN)</translation>
    </message>
    <message id="On Line Load(SPI)">
        <source></source>
        <translation>On-line load (SPI)</translation>
    </message>
    <message id="No chip! (signature reads ff ff)">
        <source></source>
        <translation>No chip! (signature reads ff ff)</translation>
    </message>
    <message id="OK!">
        <source></source>
        <translation>OK!</translation>
    </message>
    <message id="Reading...">
        <source></source>
        <translation>Reading...</translation>
    </message>
    <message id="Erase...">
        <source></source>
        <translation>Erasing...</translation>
    </message>
    <message id="Programe...">
        <source></source>
        <translation>Programming...</translation>
    </message>
    <message id="Programe Fuse...">
        <source></source>
        <translation>Programming fuses...</translation>
    </message>
    <message id="Programe Failured!">
        <source></source>
        <translation>Programming failed!</translation>
    </message>
    <message id="Programe Failured! (lock bit 1 is programmed: Erase first)">
        <source></source>
        <translation>Programming failed! (lock bit 1 is programmed: erase first)</translation>
    </message>
    <message id="Programe time">
        <source></source>
        <translation>Program time</translation>
    </message>
    <message id="Unprotect">
        <source></source>
        <translation>Unprotect</translation>
    </message>
    <message id="Unprotect...">
        <source></source>
        <translation>Unprotecting...</translation>
    </message>
    <message id="Protect...">
        <source></source>
        <translation>Protecting...</translation>
    </message>
    <message id="Pi28fx">
        <source></source>
        <translation>Pi28fx</translation>
    </message>
    <message id="Programe Failured! (no whole page left in the buffer)">
        <source></source>
        <translation>Programming failed! (no whole page left in the buffer)</translation>
    </message>
    <message id="Auto pro">
        <source></source>
        <translation>Auto pro</translation>
    </message>
    <message id="Unprot">
        <source></source>
        <translation>Unprot</translation>
    </message>
    <message id="Programe Failured! (nothing to program)">
        <source></source>
        <translation>Programming failed! (nothing to program)</translation>
    </message>
    <message id="Failured! (nothing to verify)">
        <source></source>
        <translation>Failed! (nothing to verify)</translation>
    </message>
    <message id="Unprotect Chip...">
        <source></source>
        <translation>Unprotecting the chip...</translation>
    </message>
    <message id="No any device on programmer!">
        <source></source>
        <translation>No device on the programmer!</translation>
    </message>
    <message id="Buffer Start">
        <source></source>
        <translation>Buffer Start</translation>
    </message>
    <message id="Length">
        <source></source>
        <translation>Length</translation>
    </message>
    <message id="Device Start">
        <source></source>
        <translation>Device Start</translation>
    </message>
    <message id="Read MFG">
        <source></source>
        <translation>Read MFG</translation>
    </message>
    <message id="Auto Pro">
        <source></source>
        <translation>Auto Pro</translation>
    </message>
    <message id="1 time">
        <source></source>
        <translation>1 time</translation>
    </message>
    <message id="2 times">
        <source></source>
        <translation>2 times</translation>
    </message>
    <message id="3 times">
        <source></source>
        <translation>3 times</translation>
    </message>
    <message id="4 times">
        <source></source>
        <translation>4 times</translation>
    </message>
    <message id="5 times">
        <source></source>
        <translation>5 times</translation>
    </message>
    <message id="Pro/Ver Mode">
        <source></source>
        <translation>Pro/Ver Mode</translation>
    </message>
    <message id="Check one by one">
        <source></source>
        <translation>Check one by one</translation>
    </message>
    <message id="Verify after all">
        <source></source>
        <translation>Verify after all</translation>
    </message>
    <message id="Blank...">
        <source></source>
        <translation>Blank check...</translation>
    </message>
    <message id="Blank OK">
        <source></source>
        <translation>Blank OK</translation>
    </message>
    <message id="Must be JECET format &lt;*.JED&gt;">
        <source></source>
        <translation>Must be JEDEC format &lt;*.JED&gt;</translation>
    </message>
    <message id="Pro time">
        <source></source>
        <translation>Pro time</translation>
    </message>
    <message id="No any file opened!">
        <source></source>
        <translation>No file is open!</translation>
    </message>
    <message id="1  ms/byte">
        <source></source>
        <translation>1  ms/byte</translation>
    </message>
    <message id="2  ms/byte">
        <source></source>
        <translation>2  ms/byte</translation>
    </message>
    <message id="5  ms/byte ">
        <source></source>
        <translation>5  ms/byte </translation>
    </message>
    <message id="10 ms/byte">
        <source></source>
        <translation>10 ms/byte</translation>
    </message>
    <message id="20 ms/byte">
        <source></source>
        <translation>20 ms/byte</translation>
    </message>
    <message id="50 ms/byte ">
        <source></source>
        <translation>50 ms/byte </translation>
    </message>
    <message id="PLD 16v8,20v8">
        <source></source>
        <translation>PLD 16v8, 20v8</translation>
    </message>
    <message id="No device type selected">
        <source></source>
        <translation>No device type selected</translation>
    </message>
    <message id="Read...">
        <source></source>
        <translation>Reading...</translation>
    </message>
    <message id="Finished">
        <source></source>
        <translation>Finished</translation>
    </message>
    <message id="Verify...">
        <source></source>
        <translation>Verifying...</translation>
    </message>
    <message id="Verify OK">
        <source></source>
        <translation>Verify OK</translation>
    </message>
    <message id="Programming...">
        <source></source>
        <translation>Programming...</translation>
    </message>
    <message id="Verify Bad!！">
        <source></source>
        <translation>Verify bad!</translation>
    </message>
    <message id="74xxx">
        <source></source>
        <translation>74xxx</translation>
    </message>
    <message id="40xxx">
        <source></source>
        <translation>40xxx</translation>
    </message>
    <message id="45xxx">
        <source></source>
        <translation>45xxx</translation>
    </message>
    <message id="No librrary file">
        <source></source>
        <translation>No library file</translation>
    </message>
    <message id="Bad!!!">
        <source></source>
        <translation>Bad!!!</translation>
    </message>
    <message id="No find!">
        <source></source>
        <translation>Not found!</translation>
    </message>
    <message id="No device in socket!">
        <source></source>
        <translation>No device in the socket!</translation>
    </message>
    <message id="Stopped">
        <source></source>
        <translation>Stopped</translation>
    </message>
    <message id="Link bad!">
        <source></source>
        <translation>Link bad!</translation>
    </message>
    <message id="Test  IC (74,40,45)">
        <source></source>
        <translation>Test IC (74, 40, 45)</translation>
    </message>
    <message id="Class">
        <source></source>
        <translation>Class</translation>
    </message>
    <message id="Select">
        <source></source>
        <translation>Select</translation>
    </message>
    <message id="Found">
        <source></source>
        <translation>Found</translation>
    </message>
    <message id="Report">
        <source></source>
        <translation>Report</translation>
    </message>
    <message id="Search">
        <source></source>
        <translation>Search</translation>
    </message>
    <message id="Sec Mode">
        <source></source>
        <translation>Sec Mode</translation>
    </message>
    <message id="1:No Programe">
        <source></source>
        <translation>1: No program</translation>
    </message>
    <message id="2:No Pro+No Read">
        <source></source>
        <translation>2: No Pro+No Read</translation>
    </message>
    <message id="P205x">
        <source></source>
        <translation>P205x</translation>
    </message>
    <message id="Secrity...">
        <source></source>
        <translation>Securing...</translation>
    </message>
    <message id="加密失败！">
        <source></source>
        <translation>Security failed!</translation>
    </message>
    <message id="Run item">
        <source></source>
        <translation>Run item</translation>
    </message>
    <message id="Run">
        <source></source>
        <translation>Run</translation>
    </message>
    <message id="Protect mode">
        <source></source>
        <translation>Protect mode</translation>
    </message>
    <message id="1 No MOVC   ">
        <source></source>
        <translation>1 No MOVC   </translation>
    </message>
    <message id="2 + No read ">
        <source></source>
        <translation>2 + No read </translation>
    </message>
    <message id="3 + No ext-code ">
        <source></source>
        <translation>3 + No ext-code </translation>
    </message>
    <message id="1ms">
        <source></source>
        <translation>1ms</translation>
    </message>
    <message id="2ms">
        <source></source>
        <translation>2ms</translation>
    </message>
    <message id="3ms">
        <source></source>
        <translation>3ms</translation>
    </message>
    <message id="AT89,AT87...">
        <source></source>
        <translation>AT89, AT87...</translation>
    </message>
    <message id="正在读...">
        <source></source>
        <translation>Reading...</translation>
    </message>
    <message id="An OTP part cannot be erased">
        <source></source>
        <translation>An OTP part cannot be erased</translation>
    </message>
    <message id="Erase ok">
        <source></source>
        <translation>Erase OK</translation>
    </message>
    <message id="Error">
        <source></source>
        <translation>Error</translation>
    </message>
    <message id="Error!">
        <source></source>
        <translation>Error!</translation>
    </message>
    <message id="Protect OK!">
        <source></source>
        <translation>Protect OK!</translation>
    </message>
    <message id="P93c x 8 &amp; x16">
        <source></source>
        <translation>P93c x8 &amp; x16</translation>
    </message>
    <message id="RS232 Bad!">
        <source></source>
        <translation>RS232 bad!</translation>
    </message>
    <message id="Not blank!">
        <source></source>
        <translation>Not blank!</translation>
    </message>
    <message id="Blanking...">
        <source></source>
        <translation>Blank check...</translation>
    </message>
    <message id="OK,空">
        <source></source>
        <translation>OK, blank</translation>
    </message>
    <message id="Verify bad">
        <source></source>
        <translation>Verify bad</translation>
    </message>
    <message id="Package">
        <source></source>
        <translation>Package</translation>
    </message>
    <message id="Founction">
        <source></source>
        <translation>Function</translation>
    </message>
    <message id="Reset Counter">
        <source></source>
        <translation>Reset Counter</translation>
    </message>
    <message id="DIP  4 pin">
        <source></source>
        <translation>DIP  4 pin</translation>
    </message>
    <message id="DIP  6 pin">
        <source></source>
        <translation>DIP  6 pin</translation>
    </message>
    <message id="DIP  8 pin">
        <source></source>
        <translation>DIP  8 pin</translation>
    </message>
    <message id="DIP 16 pin">
        <source></source>
        <translation>DIP 16 pin</translation>
    </message>
    <message id="OK！">
        <source></source>
        <translation>OK!</translation>
    </message>
    <message id="Bad device!">
        <source></source>
        <translation>Bad device!</translation>
    </message>
    <message id="PLD  22v10">
        <source></source>
        <translation>PLD  22v10</translation>
    </message>
    <message id="Autp Pro">
        <source></source>
        <translation>Auto Pro</translation>
    </message>
    <message id="Failured">
        <source></source>
        <translation>Failed</translation>
    </message>
    <message id="Secrity OK">
        <source></source>
        <translation>Security OK</translation>
    </message>
    <message id="Re Config">
        <source></source>
        <translation>Re Config</translation>
    </message>
    <message id="Wr Config">
        <source></source>
        <translation>Wr Config</translation>
    </message>
    <message id="Config">
        <source></source>
        <translation>Config</translation>
    </message>
    <message id="Osc Mode">
        <source></source>
        <translation>Osc Mode</translation>
    </message>
    <message id=" LP">
        <source></source>
        <translation> LP</translation>
    </message>
    <message id=" XT">
        <source></source>
        <translation> XT</translation>
    </message>
    <message id=" HS">
        <source></source>
        <translation> HS</translation>
    </message>
    <message id=" RC">
        <source></source>
        <translation> RC</translation>
    </message>
    <message id="Erase Mode">
        <source></source>
        <translation>Erase Mode</translation>
    </message>
    <message id="Code">
        <source></source>
        <translation>Code</translation>
    </message>
    <message id="Code+data">
        <source></source>
        <translation>Code+data</translation>
    </message>
    <message id="P16c8x">
        <source></source>
        <translation>P16c8x</translation>
    </message>
    <message id="Sec">
        <source></source>
        <translation>Sec</translation>
    </message>
    <message id="WTD">
        <source></source>
        <translation>WDT</translation>
    </message>
    <message id="PWRT3">
        <source></source>
        <translation>PWRT</translation>
    </message>
    <message id="ONFIG not blank">
        <source></source>
        <translation>CONFIG not blank</translation>
    </message>
    <message id="Blank OK!">
        <source></source>
        <translation>Blank OK!</translation>
    </message>
    <message id="Verify Bad!">
        <source></source>
        <translation>Verify bad!</translation>
    </message>
    <message id="Write Config...">
        <source></source>
        <translation>Writing the configuration...</translation>
    </message>
    <message id="No chip! (device ID reads 3fff)">
        <source></source>
        <translation>No chip! (device ID reads 3fff)</translation>
    </message>
    <message id=" (an empty socket reads the same)">
        <source></source>
        <translation> (an empty socket reads the same)</translation>
    </message>
    <message id=" (an empty socket cannot be told from a part)">
        <source></source>
        <translation> (an empty socket cannot be told from a part)</translation>
    </message>
    <message id="Dvice start">
        <source></source>
        <translation>Device start</translation>
    </message>
    <message id="Dallas RAM">
        <source></source>
        <translation>Dallas RAM</translation>
    </message>
    <message id="Check sum...">
        <source></source>
        <translation>Checksum...</translation>
    </message>
    <message id="Write failured!">
        <source></source>
        <translation>Write failed!</translation>
    </message>
    <message id="Testing...(Ctrl+C to stop)">
        <source></source>
        <translation>Testing... (Ctrl+C to stop)</translation>
    </message>
    <message id="ID">
        <source></source>
        <translation>ID</translation>
    </message>
    <message id="Balnk">
        <source></source>
        <translation>Blank</translation>
    </message>
    <message id="Verify...(Ctrl+C to stop)">
        <source></source>
        <translation>Verifying... (Ctrl+C to stop)</translation>
    </message>
    <message id="Check sum">
        <source></source>
        <translation>Checksum</translation>
    </message>
    <message id="Failured! (no device type selected)">
        <source></source>
        <translation>Failed! (no device type selected)</translation>
    </message>
    <message id="Programe Failured! (no device type selected)">
        <source></source>
        <translation>Programming failed! (no device type selected)</translation>
    </message>
    <message id="No any device on programmer!&#10;&#10;Continue?">
        <source></source>
        <translation>No device on the programmer!

Continue?</translation>
    </message>
    <message id="Swicth on power，and connect RS232 cable&#10;&#10;Connecting?&#10;&#10;&lt;Yes&gt; to connect&#10;&lt;No&gt; to run only soft">
        <source></source>
        <translation>Switch on the power, and connect the RS232 cable

Connect?

&lt;Yes&gt; to connect
&lt;No&gt; to run without the box</translation>
    </message>
    <message id="Bad COM&#10;1 No QUARVIN&#10;2 or No Power on">
        <source></source>
        <translation>Bad COM port
1 No QUARVIN box
2 or the power is off</translation>
    </message>
    <message id="set Com bad">
        <source></source>
        <translation>Setting the COM port failed</translation>
    </message>
    <message id="Win Version">
        <source></source>
        <translation>Win Version</translation>
    </message>
    <message id="Test COM">
        <source></source>
        <translation>Test COM</translation>
    </message>
    <message id="Speed">
        <source></source>
        <translation>Speed</translation>
    </message>
    <message id="test 10s">
        <source></source>
        <translation>test 10s</translation>
    </message>
    <message id="Reconnect">
        <source></source>
        <translation>Reconnect</translation>
    </message>
    <message id="Read ahead">
        <source></source>
        <translation>Read ahead</translation>
    </message>
    <message id="Record the link">
        <source></source>
        <translation>Record the link</translation>
    </message>
    <message id="Can't open ">
        <source></source>
        <translation>Cannot open </translation>
    </message>
    <message id="&amp;File">
        <source></source>
        <translation>&amp;File</translation>
    </message>
    <message id="&amp;Edit">
        <source></source>
        <translation>&amp;Edit</translation>
    </message>
    <message id="Option">
        <source></source>
        <translation>Option</translation>
    </message>
    <message id="&amp;Test">
        <source></source>
        <translation>&amp;Test</translation>
    </message>
    <message id="&amp;Window">
        <source></source>
        <translation>&amp;Window</translation>
    </message>
    <message id="&amp;Help">
        <source></source>
        <translation>&amp;Help</translation>
    </message>
    <message id="&amp;New">
        <source></source>
        <translation>&amp;New</translation>
    </message>
    <message id="&amp;Load">
        <source></source>
        <translation>&amp;Load</translation>
    </message>
    <message id="&amp;Save">
        <source></source>
        <translation>&amp;Save</translation>
    </message>
    <message id="&amp;Print">
        <source></source>
        <translation>&amp;Print</translation>
    </message>
    <message id="E&amp;xit">
        <source></source>
        <translation>E&amp;xit</translation>
    </message>
    <message id="&amp;Fill Buffer ">
        <source></source>
        <translation>&amp;Fill Buffer </translation>
    </message>
    <message id="&amp;Change buffer size ">
        <source></source>
        <translation>&amp;Change buffer size </translation>
    </message>
    <message id="&amp;Find">
        <source></source>
        <translation>&amp;Find</translation>
    </message>
    <message id="&amp;Replace">
        <source></source>
        <translation>&amp;Replace</translation>
    </message>
    <message id="&amp;Again">
        <source></source>
        <translation>&amp;Again</translation>
    </message>
    <message id="&amp;Type">
        <source></source>
        <translation>&amp;Type</translation>
    </message>
    <message id="&amp;Programme">
        <source></source>
        <translation>&amp;Program</translation>
    </message>
    <message id="&amp;Auto detect">
        <source></source>
        <translation>&amp;Auto detect</translation>
    </message>
    <message id="&amp;Reconnect">
        <source></source>
        <translation>&amp;Reconnect</translation>
    </message>
    <message id="Search for the box again">
        <source></source>
        <translation>Search for the box again</translation>
    </message>
    <message id="System Status">
        <source></source>
        <translation>System Status</translation>
    </message>
    <message id="&amp;Optocoupler">
        <source></source>
        <translation>&amp;Optocoupler</translation>
    </message>
    <message id="Serial adapter loopback">
        <source></source>
        <translation>Serial adapter loopback</translation>
    </message>
    <message id="Test the serial adapter with TX joined to RX">
        <source></source>
        <translation>Test the serial adapter with TX joined to RX</translation>
    </message>
    <message id="&amp;Tile">
        <source></source>
        <translation>&amp;Tile</translation>
    </message>
    <message id="&amp;Cascade">
        <source></source>
        <translation>&amp;Cascade</translation>
    </message>
    <message id="&amp;All">
        <source></source>
        <translation>&amp;All</translation>
    </message>
    <message id="&amp;Close Type Window">
        <source></source>
        <translation>&amp;Close Type Window</translation>
    </message>
    <message id="&amp;Open Type Window">
        <source></source>
        <translation>&amp;Open Type Window</translation>
    </message>
    <message id="&amp;About...">
        <source></source>
        <translation>&amp;About...</translation>
    </message>
    <message id="Show program information">
        <source></source>
        <translation>Show program information</translation>
    </message>
    <message id="Bring-up report">
        <source></source>
        <translation>Bring-up report</translation>
    </message>
    <message id="Write a report of the box to attach to a question">
        <source></source>
        <translation>Write a report of the box to attach to a question</translation>
    </message>
    <message id="Load file to buffer">
        <source></source>
        <translation>Load file to buffer</translation>
    </message>
    <message id="Save buffer to a file">
        <source></source>
        <translation>Save buffer to a file</translation>
    </message>
    <message id="Fill buffer">
        <source></source>
        <translation>Fill buffer</translation>
    </message>
    <message id="Select device type">
        <source></source>
        <translation>Select device type</translation>
    </message>
    <message id="Wr/Re/Ver...">
        <source></source>
        <translation>Wr/Re/Ver...</translation>
    </message>
    <message id="Test system">
        <source></source>
        <translation>Test system</translation>
    </message>
    <message id="Detect Memory MFG/Type">
        <source></source>
        <translation>Detect Memory MFG/Type</translation>
    </message>
    <message id="Topic Search|">
        <source></source>
        <translation>Topic search|</translation>
    </message>
    <message id="测试光电偶合器">
        <source></source>
        <translation>Test optocouplers</translation>
    </message>
    <message id="QUARVINV5  Ver 5.37  for Win95/98/me/2000/xp  www.quarvin.com">
        <source></source>
        <translation>QUARVIN V5  Ver 5.37  www.quarvin.com</translation>
    </message>
    <message id=" - virtual box">
        <source></source>
        <translation> - virtual box</translation>
    </message>
    <message id="Welcome to use the new version of Quarvin!">
        <source></source>
        <translation>Welcome to the new version of Quarvin!</translation>
    </message>
    <message id="QUARVIN">
        <source></source>
        <translation>QUARVIN</translation>
    </message>
    <message id="Universal Programmer">
        <source></source>
        <translation>Universal Programmer</translation>
    </message>
    <message id="First detecting COM,Please wait for 1-30 sec">
        <source></source>
        <translation>Detecting the COM port first, please wait 1-30 s</translation>
    </message>
    <message id="Only for EPROM/EEPROM(27xxx,28xxx,29xxx)!">
        <source></source>
        <translation>Only for EPROM/EEPROM (27xxx, 28xxx, 29xxx)!</translation>
    </message>
    <message id="Welcom to:">
        <source></source>
        <translation>Welcome to:</translation>
    </message>
    <message id="Plesse double click mouse left button">
        <source></source>
        <translation>Please double-click with the left mouse button</translation>
    </message>
    <message id="Cancel">
        <source></source>
        <translation>Cancel</translation>
    </message>
    <message id="Find">
        <source></source>
        <translation>Find</translation>
    </message>
    <message id="Find what:">
        <source></source>
        <translation>Find what:</translation>
    </message>
    <message id="Find Next">
        <source></source>
        <translation>Find Next</translation>
    </message>
    <message id="Replace">
        <source></source>
        <translation>Replace</translation>
    </message>
    <message id="Replace with:">
        <source></source>
        <translation>Replace with:</translation>
    </message>
    <message id="Replace All">
        <source></source>
        <translation>Replace All</translation>
    </message>
    <message id="EPROM">
        <source></source>
        <translation>EPROM</translation>
    </message>
    <message id="MPU       ">
        <source></source>
        <translation>MPU       </translation>
    </message>
    <message id="SERIAL EEPROM">
        <source></source>
        <translation>SERIAL EEPROM</translation>
    </message>
    <message id="GAL">
        <source></source>
        <translation>GAL</translation>
    </message>
    <message id="TEST RAM">
        <source></source>
        <translation>TEST RAM</translation>
    </message>
    <message id="File:">
        <source></source>
        <translation>File:</translation>
    </message>
    <message id="Load">
        <source></source>
        <translation>Load</translation>
    </message>
    <message id="Save">
        <source></source>
        <translation>Save</translation>
    </message>
    <message id="Fill">
        <source></source>
        <translation>Fill</translation>
    </message>
    <message id="Type">
        <source></source>
        <translation>Type</translation>
    </message>
    <message id="Prog">
        <source></source>
        <translation>Prog</translation>
    </message>
    <message id="Test">
        <source></source>
        <translation>Test</translation>
    </message>
    <message id="Detect">
        <source></source>
        <translation>Detect</translation>
    </message>
    <message id="Language">
        <source></source>
        <translation>Language</translation>
    </message>
    <message id="The window's language; applies at once">
        <source></source>
        <translation>The window&apos;s language; applies at once</translation>
    </message>
    <message id="Stop">
        <source></source>
        <translation>Stop</translation>
    </message>
    <message id="Stop the running operation">
        <source></source>
        <translation>Stop the running operation</translation>
    </message>
    <message id="Virtual socket">
        <source></source>
        <translation>Virtual socket</translation>
    </message>
    <message id="Chip">
        <source></source>
        <translation>Chip</translation>
    </message>
    <message id="Insert blank">
        <source></source>
        <translation>Insert blank</translation>
    </message>
    <message id="Remove">
        <source></source>
        <translation>Remove</translation>
    </message>
    <message id="In socket">
        <source></source>
        <translation>In socket</translation>
    </message>
    <message id="Load...">
        <source></source>
        <translation>Load...</translation>
    </message>
    <message id="Save...">
        <source></source>
        <translation>Save...</translation>
    </message>
    <message id="Faults">
        <source></source>
        <translation>Faults</translation>
    </message>
    <message id="Address">
        <source></source>
        <translation>Address</translation>
    </message>
    <message id="Mask">
        <source></source>
        <translation>Mask</translation>
    </message>
    <message id="Value">
        <source></source>
        <translation>Value</translation>
    </message>
    <message id="Stuck bits">
        <source></source>
        <translation>Stuck bits</translation>
    </message>
    <message id="Won't program">
        <source></source>
        <translation>Won&apos;t program</translation>
    </message>
    <message id="Clear faults">
        <source></source>
        <translation>Clear faults</translation>
    </message>
    <message id="Stress events">
        <source></source>
        <translation>Stress events</translation>
    </message>
    <message id="Fuse map">
        <source></source>
        <translation>Fuse map</translation>
    </message>
    <message id="Security">
        <source></source>
        <translation>Security</translation>
    </message>
    <message id="Type:  ">
        <source></source>
        <translation>Type:  </translation>
    </message>
    <message id="&lt;Device&gt;">
        <source></source>
        <translation>&lt;Device&gt;</translation>
    </message>
    <message id="Soft run only">
        <source></source>
        <translation>Soft run only</translation>
    </message>
    <message id="Search cancelled: soft run only">
        <source></source>
        <translation>Search cancelled: soft run only</translation>
    </message>
    <message id="virtual box">
        <source></source>
        <translation>virtual box</translation>
    </message>
    <message id="soft run">
        <source></source>
        <translation>soft run</translation>
    </message>
    <message id="link lost">
        <source></source>
        <translation>link lost</translation>
    </message>
    <message id="Close">
        <source></source>
        <translation>Close</translation>
    </message>
    <message id="Differences">
        <source></source>
        <translation>Differences</translation>
    </message>
    <message id="Only changed pages">
        <source></source>
        <translation>Only changed pages</translation>
    </message>
    <message id="Serial number">
        <source></source>
        <translation>Serial number</translation>
    </message>
    <message id="Write a serial number when programming">
        <source></source>
        <translation>Write a serial number when programming</translation>
    </message>
    <message id="Address (HEX)">
        <source></source>
        <translation>Address (HEX)</translation>
    </message>
    <message id="Format">
        <source></source>
        <translation>Format</translation>
    </message>
    <message id="Digits">
        <source></source>
        <translation>Digits</translation>
    </message>
    <message id="Step">
        <source></source>
        <translation>Step</translation>
    </message>
    <message id="Counter file">
        <source></source>
        <translation>Counter file</translation>
    </message>
    <message id="&amp;Serial number">
        <source></source>
        <translation>&amp;Serial number</translation>
    </message>
    <message id="Write a serial number into each chip programmed">
        <source></source>
        <translation>Write a serial number into each chip programmed</translation>
    </message>
    <message id="Auto, &amp;next chip">
        <source></source>
        <translation>Auto, &amp;next chip</translation>
    </message>
    <message id="Run Auto chip after chip, each with the next serial number">
        <source></source>
        <translation>Run Auto chip after chip, each with the next serial number</translation>
    </message>
    <message id="AT89S5x...">
        <source></source>
        <translation>AT89S5x...</translation>
    </message>
    <message id="The pins do not answer as the selected chip's">
        <source></source>
        <translation>The pins do not answer as the selected chip&apos;s</translation>
    </message>
    <message id="no socket check for this family">
        <source></source>
        <translation>no socket check for this family</translation>
    </message>
    <message id="no socket check for this device: its pins in the socket are not known">
        <source></source>
        <translation>no socket check for this device: its pins in the socket are not known</translation>
    </message>
    <message id="no socket check for this device: no pin of it is known to answer while it is unpowered">
        <source></source>
        <translation>no socket check for this device: no pin of it is known to answer while it is unpowered</translation>
    </message>
    <message id="Bad contact on pin">
        <source></source>
        <translation>Bad contact on pin</translation>
    </message>
    <message id="The chip sits">
        <source></source>
        <translation>The chip sits</translation>
    </message>
    <message id="row too high">
        <source></source>
        <translation>row too high</translation>
    </message>
    <message id="rows too high">
        <source></source>
        <translation>rows too high</translation>
    </message>
    <message id="a class of logic parts has no one pinout, and bipolar TTL pins do not clamp to Vcc">
        <source></source>
        <translation>a class of logic parts has no one pinout, and bipolar TTL pins do not clamp to Vcc</translation>
    </message>
    <message id="an optocoupler has no supply pin, and its LEDs and transistors cannot be read unpowered">
        <source></source>
        <translation>an optocoupler has no supply pin, and its LEDs and transistors cannot be read unpowered</translation>
    </message>
    <message id="Check the socket before each operation">
        <source></source>
        <translation>Check the socket before each operation</translation>
    </message>
    <message id="Every button and Auto first check the chip's contacts and seat">
        <source></source>
        <translation>Every button and Auto first check the chip&apos;s contacts and seat</translation>
    </message>
    <message id="Socket check">
        <source></source>
        <translation>Socket check</translation>
    </message>
    <message id="Check the chip's contacts and seat, nothing powered">
        <source></source>
        <translation>Check the chip&apos;s contacts and seat, nothing powered</translation>
    </message>
    <message id="this family is not built in this version">
        <source></source>
        <translation>this family is not built in this version</translation>
    </message>
    <message id="Fault">
        <source></source>
        <translation>Fault</translation>
    </message>
    <message id="Add fault">
        <source></source>
        <translation>Add fault</translation>
    </message>
    <message id="Socket OK">
        <source></source>
        <translation>Socket OK</translation>
    </message>
    <message id="No chip in the socket">
        <source></source>
        <translation>No chip in the socket</translation>
    </message>
    <message id="The chip sits reversed">
        <source></source>
        <translation>The chip sits reversed</translation>
    </message>
    <message id="P16f87x">
        <source></source>
        <translation>P16f87x</translation>
    </message>
    <message id="Wrong chip! (device ID %04x, not %s)">
        <source></source>
        <translation>Wrong chip! (device ID %04x, not %s)</translation>
    </message>
    <message id="P2816">
        <source></source>
        <translation>P2816</translation>
    </message>
</context>
</TS>
