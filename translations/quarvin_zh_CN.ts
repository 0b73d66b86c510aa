<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name></name>
    <message id="noname.bin">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Fiel: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&lt;File&gt;">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Can't open this file:&#10;">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Can't open this file!&#10;">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Can't write this file!&#10;">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Can't read this file!&#10;">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Bad format">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Not find!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Not find">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Must be two BCD">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Bad input">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="All">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Defualt">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="1th char of word16">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="2th char of word16">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="1th char of word32">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="2th char of word32">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="3th char of word32">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="4th char of word32">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="File format">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Load mode">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Buffer start address:">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Buffer end address:">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=".BIN   Binarry">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=".HEX   Intel HEX">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=".JED   PLD format(jeced) ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=".CDS   EMC format">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=".S19   Motorola S-record">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=".ELF   ELF executable">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Yes">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Sum">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Cursor">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Start">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Fill Buffer">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="(HEX)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="End">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Data">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="PLD缓冲区窗口">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="光标地址:">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="检查和：">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="C:">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="填充数据">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="扩展或缩小文件缓冲区">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Communication error!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="FLASH/EEPROM">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="TEST TTL/COMS">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="P29">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="PW27">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="P27">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="P29F">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="P24">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="AT28CX">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Select device">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="MFG">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="TYPE">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="OK">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Detect MFG/Type">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No DEVICEx.LST file!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Device">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Exit">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Read">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Erase">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Blank">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Write">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Programe">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Verify">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Secrity">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Protect">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Read F/S ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Pro Fuse">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Auto">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Protect Mode">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Protext+No Ver">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Protect+Mo Pro">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No used">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No Protect">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Bad!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="AT90s ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Fuse">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Internal RC(RCEN)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="On Line Load(SPI)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No chip! (signature reads ff ff)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="OK!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Reading...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Erase...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Programe...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Programe Fuse...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Programe Failured!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Programe Failured! (lock bit 1 is programmed: Erase first)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Programe time">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Unprotect">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Unprotect...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Protect...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Pi28fx">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Programe Failured! (no whole page left in the buffer)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Auto pro">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Unprot">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Programe Failured! (nothing to program)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Failured! (nothing to verify)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Unprotect Chip...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No any device on programmer!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Buffer Start">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Length">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Device Start">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Read MFG">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Auto Pro">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="1 time">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="2 times">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="3 times">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="4 times">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="5 times">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Pro/Ver Mode">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Check one by one">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Verify after all">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Blank...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Blank OK">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Must be JECET format &lt;*.JED&gt;">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Pro time">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No any file opened!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="1  ms/byte">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="2  ms/byte">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="5  ms/byte ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="10 ms/byte">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="20 ms/byte">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="50 ms/byte ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="PLD 16v8,20v8">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No device type selected">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Read...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Finished">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Verify...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Verify OK">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Programming...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Verify Bad!！">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="74xxx">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="40xxx">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="45xxx">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No librrary file">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Bad!!!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No find!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No device in socket!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Stopped">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Link bad!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Test  IC (74,40,45)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Class">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Select">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Found">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Report">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Search">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Sec Mode">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="1:No Programe">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="2:No Pro+No Read">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="P205x">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Secrity...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="加密失败！">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Run item">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Run">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Protect mode">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="1 No MOVC   ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="2 + No read ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="3 + No ext-code ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="1ms">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="2ms">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="3ms">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="AT89,AT87...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="正在读...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="An OTP part cannot be erased">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Erase ok">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Error">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Error!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Protect OK!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="P93c x 8 &amp; x16">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="RS232 Bad!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Not blank!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Blanking...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="OK,空">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Verify bad">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Package">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Founction">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Reset Counter">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="DIP  4 pin">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="DIP  6 pin">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="DIP  8 pin">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="DIP 16 pin">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="OK！">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Bad device!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="PLD  22v10">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Autp Pro">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Failured">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Secrity OK">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Re Config">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Wr Config">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Config">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Osc Mode">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=" LP">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=" XT">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=" HS">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=" RC">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Erase Mode">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Code">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Code+data">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="P16c8x">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Sec">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="WTD">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="PWRT3">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="ONFIG not blank">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Blank OK!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Verify Bad!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Write Config...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No chip! (device ID reads 3fff)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=" (an empty socket reads the same)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=" (an empty socket cannot be told from a part)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Dvice start">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Dallas RAM">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Check sum...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Write failured!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Testing...(Ctrl+C to stop)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="ID">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Balnk">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Verify...(Ctrl+C to stop)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Check sum">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Failured! (no device type selected)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Programe Failured! (no device type selected)">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="No any device on programmer!&#10;&#10;Continue?">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Swicth on power，and connect RS232 cable&#10;&#10;Connecting?&#10;&#10;&lt;Yes&gt; to connect&#10;&lt;No&gt; to run only soft">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Bad COM&#10;1 No QUARVIN&#10;2 or No Power on">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="set Com bad">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Win Version">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Test COM">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Speed">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="test 10s">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Reconnect">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Read ahead">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Record the link">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Can't open ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;File">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Edit">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Option">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Test">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Window">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Help">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;New">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Load">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Save">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Print">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="E&amp;xit">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Fill Buffer ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Change buffer size ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Find">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Replace">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Again">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Type">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Programme">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Auto detect">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Reconnect">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Search for the box again">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="System Status">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Optocoupler">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Serial adapter loopback">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Test the serial adapter with TX joined to RX">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Tile">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Cascade">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;All">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Close Type Window">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;Open Type Window">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="&amp;About...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Show program information">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Bring-up report">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Write a report of the box to attach to a question">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Load file to buffer">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Save buffer to a file">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Fill buffer">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Select device type">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Wr/Re/Ver...">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Test system">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Detect Memory MFG/Type">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Topic Search|">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="测试光电偶合器">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="QUARVINV5  Ver 5.37  for Win95/98/me/2000/xp  www.quarvin.com">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id=" - virtual box">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Welcome to use the new version of Quarvin!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="QUARVIN">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Universal Programmer">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="First detecting COM,Please wait for 1-30 sec">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Only for EPROM/EEPROM(27xxx,28xxx,29xxx)!">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Welcom to:">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Plesse double click mouse left button">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Cancel">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Find">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Find what:">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Find Next">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Replace">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Replace with:">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Replace All">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="EPROM">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="MPU       ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="SERIAL EEPROM">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="GAL">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="TEST RAM">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="File:">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Load">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Save">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Fill">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Type">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Prog">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Test">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Detect">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Language">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="The window's language; applies at once">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Stop">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Stop the running operation">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
