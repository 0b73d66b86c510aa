<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name></name>
    <message id="noname.bin">
        <source></source>
        <translation>noname.bin</translation>
    </message>
    <message id="Fiel: ">
        <source></source>
        <translation>文件: </translation>
    </message>
    <message id="&lt;File&gt;">
        <source></source>
        <translation>&lt;文件&gt;</translation>
    </message>
    <message id="Can't open this file:&#10;">
        <source></source>
        <translation>无法打开此文件:
</translation>
    </message>
    <message id="Can't open this file!&#10;">
        <source></source>
        <translation>无法打开此文件！
</translation>
    </message>
    <message id="Can't write this file!&#10;">
        <source></source>
        <translation>无法写入此文件！
</translation>
    </message>
    <message id="Can't read this file!&#10;">
        <source></source>
        <translation>无法读取此文件！
</translation>
    </message>
    <message id="Bad format">
        <source></source>
        <translation>格式错误</translation>
    </message>
    <message id="Not find!">
        <source></source>
        <translation>未找到！</translation>
    </message>
    <message id="Not find">
        <source></source>
        <translation>未找到</translation>
    </message>
    <message id="Must be two BCD">
        <source></source>
        <translation>必须是两位BCD数字</translation>
    </message>
    <message id="Bad input">
        <source></source>
        <translation>输入错误</translation>
    </message>
    <message id="All">
        <source></source>
        <translation>全部</translation>
    </message>
    <message id="Defualt">
        <source></source>
        <translation>默认</translation>
    </message>
    <message id="1th char of word16">
        <source></source>
        <translation>16位字的第1字节</translation>
    </message>
    <message id="2th char of word16">
        <source></source>
        <translation>16位字的第2字节</translation>
    </message>
    <message id="1th char of word32">
        <source></source>
        <translation>32位字的第1字节</translation>
    </message>
    <message id="2th char of word32">
        <source></source>
        <translation>32位字的第2字节</translation>
    </message>
    <message id="3th char of word32">
        <source></source>
        <translation>32位字的第3字节</translation>
    </message>
    <message id="4th char of word32">
        <source></source>
        <translation>32位字的第4字节</translation>
    </message>
    <message id="File format">
        <source></source>
        <translation>文件格式</translation>
    </message>
    <message id="Load mode">
        <source></source>
        <translation>装载方式</translation>
    </message>
    <message id="Buffer start address:">
        <source></source>
        <translation>缓冲区起始地址:</translation>
    </message>
    <message id="Buffer end address:">
        <source></source>
        <translation>缓冲区结束地址:</translation>
    </message>
    <message id=".BIN   Binarry">
        <source></source>
        <translation>.BIN   二进制</translation>
    </message>
    <message id=".HEX   Intel HEX">
        <source></source>
        <translation>.HEX   Intel HEX</translation>
    </message>
    <message id=".JED   PLD format(jeced) ">
        <source></source>
        <translation>.JED   PLD格式(JEDEC) </translation>
    </message>
    <message id=".CDS   EMC format">
        <source></source>
        <translation>.CDS   EMC格式</translation>
    </message>
    <message id=".S19   Motorola S-record">
        <source></source>
        <translation>.S19   Motorola S记录</translation>
    </message>
    <message id=".ELF   ELF executable">
        <source></source>
        <translation>.ELF   ELF可执行文件</translation>
    </message>
    <message id="Yes">
        <source></source>
        <translation>是</translation>
    </message>
    <message id="Sum">
        <source></source>
        <translation>总和</translation>
    </message>
    <message id="Cursor">
        <source></source>
        <translation>光标</translation>
    </message>
    <message id="Start">
        <source></source>
        <translation>起始</translation>
    </message>
    <message id="Fill Buffer">
        <source></source>
        <translation>填充缓冲区</translation>
    </message>
    <message id="(HEX)">
        <source></source>
        <translation>(十六进制)</translation>
    </message>
    <message id="End">
        <source></source>
        <translation>结束</translation>
    </message>
    <message id="Data">
        <source></source>
        <translation>数据</translation>
    </message>
    <message id="PLD缓冲区窗口">
        <source></source>
        <translation>PLD缓冲区窗口</translation>
    </message>
    <message id="光标地址:">
        <source></source>
        <translation>光标地址:</translation>
    </message>
    <message id="检查和：">
        <source></source>
        <translation>检查和：</translation>
    </message>
    <message id="C:">
        <source></source>
        <translation>C:</translation>
    </message>
    <message id="填充数据">
        <source></source>
        <translation>填充数据</translation>
    </message>
    <message id="扩展或缩小文件缓冲区">
        <source></source>
        <translation>扩展或缩小文件缓冲区</translation>
    </message>
    <message id="Communication error!">
        <source></source>
        <translation>通信错误！</translation>
    </message>
    <message id="FLASH/EEPROM">
        <source></source>
        <translation>FLASH/EEPROM</translation>
    </message>
    <message id="TEST TTL/COMS">
        <source></source>
        <translation>测试 TTL/CMOS</translation>
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
        <translation>选择器件</translation>
    </message>
    <message id="MFG">
        <source></source>
        <translation>厂商</translation>
    </message>
    <message id="TYPE">
        <source></source>
        <translation>型号</translation>
    </message>
    <message id="OK">
        <source></source>
        <translation>OK</translation>
    </message>
    <message id="Detect MFG/Type">
        <source></source>
        <translation>检测厂商/型号</translation>
    </message>
    <message id="No DEVICEx.LST file!">
        <source></source>
        <translation>没有 DEVICEx.LST 文件！</translation>
    </message>
    <message id="Device">
        <source></source>
        <translation>器件</translation>
    </message>
    <message id="Exit">
        <source></source>
        <translation>退出</translation>
    </message>
    <message id="Read">
        <source></source>
        <translation>读取</translation>
    </message>
    <message id="Erase">
        <source></source>
        <translation>擦除</translation>
    </message>
    <message id="Blank">
        <source></source>
        <translation>查空</translation>
    </message>
    <message id="Write">
        <source></source>
        <translation>写入</translation>
    </message>
    <message id="Programe">
        <source></source>
        <translation>编程</translation>
    </message>
    <message id="Verify">
        <source></source>
        <translation>校验</translation>
    </message>
    <message id="Secrity">
        <source></source>
        <translation>加密</translation>
    </message>
    <message id="Protect">
        <source></source>
        <translation>保护</translation>
    </message>
    <message id="Read F/S ">
        <source></source>
        <translation>读熔丝 </translation>
    </message>
    <message id="Pro Fuse">
        <source></source>
        <translation>写熔丝</translation>
    </message>
    <message id="Auto">
        <source></source>
        <translation>自动</translation>
    </message>
    <message id="Protect Mode">
        <source></source>
        <translation>保护方式</translation>
    </message>
    <message id="Protext+No Ver">
        <source></source>
        <translation>保护+禁止校验</translation>
    </message>
    <message id="Protect+Mo Pro">
        <source></source>
        <translation>保护+禁止编程</translation>
    </message>
    <message id="No used">
        <source></source>
        <translation>不使用</translation>
    </message>
    <message id="No Protect">
        <source></source>
        <translation>不保护</translation>
    </message>
    <message id="Bad!">
        <source></source>
        <translation>坏！</translation>
    </message>
    <message id="AT90s ">
        <source></source>
        <translation>AT90s </translation>
    </message>
    <message id="Fuse">
        <source></source>
        <translation>熔丝</translation>
    </message>
    <message id="Internal RC(RCEN)">
        <source></source>
        <translation>内部RC(RCEN)</translation>
    </message>
    <message id="On Line Load(SPI)">
        <source></source>
        <translation>在线下载(SPI)</translation>
    </message>
    <message id="No chip! (signature reads ff ff)">
        <source></source>
        <translation>没有芯片！(签名读出 ff ff)</translation>
    </message>
    <message id="OK!">
        <source></source>
        <translation>成功！</translation>
    </message>
    <message id="Reading...">
        <source></source>
        <translation>正在读...</translation>
    </message>
    <message id="Erase...">
        <source></source>
        <translation>正在擦除...</translation>
    </message>
    <message id="Programe...">
        <source></source>
        <translation>正在编程...</translation>
    </message>
    <message id="Programe Fuse...">
        <source></source>
        <translation>正在写熔丝...</translation>
    </message>
    <message id="Programe Failured!">
        <source></source>
        <translation>编程失败！</translation>
    </message>
    <message id="Programe Failured! (lock bit 1 is programmed: Erase first)">
        <source></source>
        <translation>编程失败！(锁定位1已编程：请先擦除)</translation>
    </message>
    <message id="Programe time">
        <source></source>
        <translation>编程时间</translation>
    </message>
    <message id="Unprotect">
        <source></source>
        <translation>解除保护</translation>
    </message>
    <message id="Unprotect...">
        <source></source>
        <translation>正在解除保护...</translation>
    </message>
    <message id="Protect...">
        <source></source>
        <translation>正在保护...</translation>
    </message>
    <message id="Pi28fx">
        <source></source>
        <translation>Pi28fx</translation>
    </message>
    <message id="Programe Failured! (no whole page left in the buffer)">
        <source></source>
        <translation>编程失败！(缓冲区中已无完整的页)</translation>
    </message>
    <message id="Auto pro">
        <source></source>
        <translation>自动编程</translation>
    </message>
    <message id="Unprot">
        <source></source>
        <translation>解保护</translation>
    </message>
    <message id="Programe Failured! (nothing to program)">
        <source></source>
        <translation>编程失败！(没有要编程的数据)</translation>
    </message>
    <message id="Failured! (nothing to verify)">
        <source></source>
        <translation>失败！(没有要校验的数据)</translation>
    </message>
    <message id="Unprotect Chip...">
        <source></source>
        <translation>正在解除芯片保护...</translation>
    </message>
    <message id="No any device on programmer!">
        <source></source>
        <translation>编程器上没有器件！</translation>
    </message>
    <message id="Buffer Start">
        <source></source>
        <translation>缓冲区起始</translation>
    </message>
    <message id="Length">
        <source></source>
        <translation>长度</translation>
    </message>
    <message id="Device Start">
        <source></source>
        <translation>器件起始</translation>
    </message>
    <message id="Read MFG">
        <source></source>
        <translation>读厂商</translation>
    </message>
    <message id="Auto Pro">
        <source></source>
        <translation>自动编程</translation>
    </message>
    <message id="1 time">
        <source></source>
        <translation>1次</translation>
    </message>
    <message id="2 times">
        <source></source>
        <translation>2次</translation>
    </message>
    <message id="3 times">
        <source></source>
        <translation>3次</translation>
    </message>
    <message id="4 times">
        <source></source>
        <translation>4次</translation>
    </message>
    <message id="5 times">
        <source></source>
        <translation>5次</translation>
    </message>
    <message id="Pro/Ver Mode">
        <source></source>
        <translation>编程/校验方式</translation>
    </message>
    <message id="Check one by one">
        <source></source>
        <translation>逐个校验</translation>
    </message>
    <message id="Verify after all">
        <source></source>
        <translation>全部写完后校验</translation>
    </message>
    <message id="Blank...">
        <source></source>
        <translation>正在查空...</translation>
    </message>
    <message id="Blank OK">
        <source></source>
        <translation>查空通过</translation>
    </message>
    <message id="Must be JECET format &lt;*.JED&gt;">
        <source></source>
        <translation>必须是JEDEC格式 &lt;*.JED&gt;</translation>
    </message>
    <message id="Pro time">
        <source></source>
        <translation>编程时间</translation>
    </message>
    <message id="No any file opened!">
        <source></source>
        <translation>没有打开的文件！</translation>
    </message>
    <message id="1  ms/byte">
        <source></source>
        <translation>1  毫秒/字节</translation>
    </message>
    <message id="2  ms/byte">
        <source></source>
        <translation>2  毫秒/字节</translation>
    </message>
    <message id="5  ms/byte ">
        <source></source>
        <translation>5  毫秒/字节 </translation>
    </message>
    <message id="10 ms/byte">
        <source></source>
        <translation>10 毫秒/字节</translation>
    </message>
    <message id="20 ms/byte">
        <source></source>
        <translation>20 毫秒/字节</translation>
    </message>
    <message id="50 ms/byte ">
        <source></source>
        <translation>50 毫秒/字节 </translation>
    </message>
    <message id="PLD 16v8,20v8">
        <source></source>
        <translation>PLD 16v8,20v8</translation>
    </message>
    <message id="No device type selected">
        <source></source>
        <translation>未选择器件型号</translation>
    </message>
    <message id="Read...">
        <source></source>
        <translation>正在读...</translation>
    </message>
    <message id="Finished">
        <source></source>
        <translation>完成</translation>
    </message>
    <message id="Verify...">
        <source></source>
        <translation>正在校验...</translation>
    </message>
    <message id="Verify OK">
        <source></source>
        <translation>校验通过</translation>
    </message>
    <message id="Programming...">
        <source></source>
        <translation>正在编程...</translation>
    </message>
    <message id="Verify Bad!！">
        <source></source>
        <translation>校验错误！</translation>
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
        <translation>没有库文件</translation>
    </message>
    <message id="Bad!!!">
        <source></source>
        <translation>坏！！！</translation>
    </message>
    <message id="No find!">
        <source></source>
        <translation>未找到！</translation>
    </message>
    <message id="No device in socket!">
        <source></source>
        <translation>插座中没有器件！</translation>
    </message>
    <message id="Stopped">
        <source></source>
        <translation>已停止</translation>
    </message>
    <message id="Link bad!">
        <source></source>
        <translation>连接错误！</translation>
    </message>
    <message id="Test  IC (74,40,45)">
        <source></source>
        <translation>测试IC (74,40,45)</translation>
    </message>
    <message id="Class">
        <source></source>
        <translation>系列</translation>
    </message>
    <message id="Select">
        <source></source>
        <translation>选择</translation>
    </message>
    <message id="Found">
        <source></source>
        <translation>找到</translation>
    </message>
    <message id="Report">
        <source></source>
        <translation>报告</translation>
    </message>
    <message id="Search">
        <source></source>
        <translation>搜索</translation>
    </message>
    <message id="Sec Mode">
        <source></source>
        <translation>加密方式</translation>
    </message>
    <message id="1:No Programe">
        <source></source>
        <translation>1:禁止编程</translation>
    </message>
    <message id="2:No Pro+No Read">
        <source></source>
        <translation>2:禁止编程+禁止读</translation>
    </message>
    <message id="P205x">
        <source></source>
        <translation>P205x</translation>
    </message>
    <message id="Secrity...">
        <source></source>
        <translation>正在加密...</translation>
    </message>
    <message id="加密失败！">
        <source></source>
        <translation>加密失败！</translation>
    </message>
    <message id="Run item">
        <source></source>
        <translation>运行项目</translation>
    </message>
    <message id="Run">
        <source></source>
        <translation>运行</translation>
    </message>
    <message id="Protect mode">
        <source></source>
        <translation>保护方式</translation>
    </message>
    <message id="1 No MOVC   ">
        <source></source>
        <translation>1 禁止MOVC   </translation>
    </message>
    <message id="2 + No read ">
        <source></source>
        <translation>2 + 禁止读 </translation>
    </message>
    <message id="3 + No ext-code ">
        <source></source>
        <translation>3 + 禁止外部代码 </translation>
    </message>
    <message id="1ms">
        <source></source>
        <translation>1毫秒</translation>
    </message>
    <message id="2ms">
        <source></source>
        <translation>2毫秒</translation>
    </message>
    <message id="3ms">
        <source></source>
        <translation>3毫秒</translation>
    </message>
    <message id="AT89,AT87...">
        <source></source>
        <translation>AT89,AT87...</translation>
    </message>
    <message id="正在读...">
        <source></source>
        <translation>正在读...</translation>
    </message>
    <message id="An OTP part cannot be erased">
        <source></source>
        <translation>一次性编程(OTP)器件不能擦除</translation>
    </message>
    <message id="Erase ok">
        <source></source>
        <translation>擦除成功</translation>
    </message>
    <message id="Error">
        <source></source>
        <translation>错误</translation>
    </message>
    <message id="Error!">
        <source></source>
        <translation>错误！</translation>
    </message>
    <message id="Protect OK!">
        <source></source>
        <translation>保护成功！</translation>
    </message>
    <message id="P93c x 8 &amp; x16">
        <source></source>
        <translation>P93c x8 和 x16</translation>
    </message>
    <message id="RS232 Bad!">
        <source></source>
        <translation>RS232 错误！</translation>
    </message>
    <message id="Not blank!">
        <source></source>
        <translation>非空！</translation>
    </message>
    <message id="Blanking...">
        <source></source>
        <translation>正在查空...</translation>
    </message>
    <message id="OK,空">
        <source></source>
        <translation>OK,空</translation>
    </message>
    <message id="Verify bad">
        <source></source>
        <translation>校验错误</translation>
    </message>
    <message id="Package">
        <source></source>
        <translation>封装</translation>
    </message>
    <message id="Founction">
        <source></source>
        <translation>功能测试</translation>
    </message>
    <message id="Reset Counter">
        <source></source>
        <translation>计数清零</translation>
    </message>
    <message id="DIP  4 pin">
        <source></source>
        <translation>DIP  4脚</translation>
    </message>
    <message id="DIP  6 pin">
        <source></source>
        <translation>DIP  6脚</translation>
    </message>
    <message id="DIP  8 pin">
        <source></source>
        <translation>DIP  8脚</translation>
    </message>
    <message id="DIP 16 pin">
        <source></source>
        <translation>DIP 16脚</translation>
    </message>
    <message id="OK！">
        <source></source>
        <translation>成功！</translation>
    </message>
    <message id="Bad device!">
        <source></source>
        <translation>器件损坏！</translation>
    </message>
    <message id="PLD  22v10">
        <source></source>
        <translation>PLD  22v10</translation>
    </message>
    <message id="Autp Pro">
        <source></source>
        <translation>自动编程</translation>
    </message>
    <message id="Failured">
        <source></source>
        <translation>失败</translation>
    </message>
    <message id="Secrity OK">
        <source></source>
        <translation>加密成功</translation>
    </message>
    <message id="Re Config">
        <source></source>
        <translation>读配置</translation>
    </message>
    <message id="Wr Config">
        <source></source>
        <translation>写配置</translation>
    </message>
    <message id="Config">
        <source></source>
        <translation>配置</translation>
    </message>
    <message id="Osc Mode">
        <source></source>
        <translation>振荡方式</translation>
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
        <translation>擦除方式</translation>
    </message>
    <message id="Code">
        <source></source>
        <translation>代码</translation>
    </message>
    <message id="Code+data">
        <source></source>
        <translation>代码+数据</translation>
    </message>
    <message id="P16c8x">
        <source></source>
        <translation>P16c8x</translation>
    </message>
    <message id="Sec">
        <source></source>
        <translation>加密</translation>
    </message>
    <message id="WTD">
        <source></source>
        <translation>看门狗</translation>
    </message>
    <message id="PWRT3">
        <source></source>
        <translation>上电延时</translation>
    </message>
    <message id="ONFIG not blank">
        <source></source>
        <translation>配置字非空</translation>
    </message>
    <message id="Blank OK!">
        <source></source>
        <translation>查空通过！</translation>
    </message>
    <message id="Verify Bad!">
        <source></source>
        <translation>校验错误！</translation>
    </message>
    <message id="Write Config...">
        <source></source>
        <translation>正在写配置...</translation>
    </message>
    <message id="No chip! (device ID reads 3fff)">
        <source></source>
        <translation>没有芯片！(器件ID读出 3fff)</translation>
    </message>
    <message id=" (an empty socket reads the same)">
        <source></source>
        <translation> (空插座读出相同)</translation>
    </message>
    <message id=" (an empty socket cannot be told from a part)">
        <source></source>
        <translation> (无法区分空插座和器件)</translation>
    </message>
    <message id="Dvice start">
        <source></source>
        <translation>器件起始</translation>
    </message>
    <message id="Dallas RAM">
        <source></source>
        <translation>Dallas RAM</translation>
    </message>
    <message id="Check sum...">
        <source></source>
        <translation>正在计算校验和...</translation>
    </message>
    <message id="Write failured!">
        <source></source>
        <translation>写入失败！</translation>
    </message>
    <message id="Testing...(Ctrl+C to stop)">
        <source></source>
        <translation>正在测试...(Ctrl+C 停止)</translation>
    </message>
    <message id="ID">
        <source></source>
        <translation>ID</translation>
    </message>
    <message id="Balnk">
        <source></source>
        <translation>查空</translation>
    </message>
    <message id="Verify...(Ctrl+C to stop)">
        <source></source>
        <translation>正在校验...(Ctrl+C 停止)</translation>
    </message>
    <message id="Check sum">
        <source></source>
        <translation>校验和</translation>
    </message>
    <message id="Failured! (no device type selected)">
        <source></source>
        <translation>失败！(未选择器件型号)</translation>
    </message>
    <message id="Programe Failured! (no device type selected)">
        <source></source>
        <translation>编程失败！(未选择器件型号)</translation>
    </message>
    <message id="No any device on programmer!&#10;&#10;Continue?">
        <source></source>
        <translation>编程器上没有器件！

继续吗？</translation>
    </message>
    <message id="Swicth on power，and connect RS232 cable&#10;&#10;Connecting?&#10;&#10;&lt;Yes&gt; to connect&#10;&lt;No&gt; to run only soft">
        <source></source>
        <translation>请打开电源，并连接RS232电缆

现在连接吗？

&lt;是&gt; 连接
&lt;否&gt; 仅运行软件</translation>
    </message>
    <message id="Bad COM&#10;1 No QUARVIN&#10;2 or No Power on">
        <source></source>
        <translation>串口错误
1 没有连接QUARVIN
2 或未接通电源</translation>
    </message>
    <message id="set Com bad">
        <source></source>
        <translation>串口设置失败</translation>
    </message>
    <message id="Win Version">
        <source></source>
        <translation>系统版本</translation>
    </message>
    <message id="Test COM">
        <source></source>
        <translation>测试串口</translation>
    </message>
    <message id="Speed">
        <source></source>
        <translation>速度</translation>
    </message>
    <message id="test 10s">
        <source></source>
        <translation>测试10秒</translation>
    </message>
    <message id="Reconnect">
        <source></source>
        <translation>重新连接</translation>
    </message>
    <message id="Read ahead">
        <source></source>
        <translation>预读</translation>
    </message>
    <message id="Record the link">
        <source></source>
        <translation>记录通信</translation>
    </message>
    <message id="Can't open ">
        <source></source>
        <translation>无法打开 </translation>
    </message>
    <message id="&amp;File">
        <source></source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message id="&amp;Edit">
        <source></source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message id="Option">
        <source></source>
        <translation>选项</translation>
    </message>
    <message id="&amp;Test">
        <source></source>
        <translation>测试(&amp;T)</translation>
    </message>
    <message id="&amp;Window">
        <source></source>
        <translation>窗口(&amp;W)</translation>
    </message>
    <message id="&amp;Help">
        <source></source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message id="&amp;New">
        <source></source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message id="&amp;Load">
        <source></source>
        <translation>装载(&amp;L)</translation>
    </message>
    <message id="&amp;Save">
        <source></source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message id="&amp;Print">
        <source></source>
        <translation>打印(&amp;P)</translation>
    </message>
    <message id="E&amp;xit">
        <source></source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message id="&amp;Fill Buffer ">
        <source></source>
        <translation>填充缓冲区(&amp;F) </translation>
    </message>
    <message id="&amp;Change buffer size ">
        <source></source>
        <translation>改变缓冲区大小(&amp;C) </translation>
    </message>
    <message id="&amp;Find">
        <source></source>
        <translation>查找(&amp;F)</translation>
    </message>
    <message id="&amp;Replace">
        <source></source>
        <translation>替换(&amp;R)</translation>
    </message>
    <message id="&amp;Again">
        <source></source>
        <translation>重复(&amp;A)</translation>
    </message>
    <message id="&amp;Type">
        <source></source>
        <translation>型号(&amp;T)</translation>
    </message>
    <message id="&amp;Programme">
        <source></source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message id="&amp;Auto detect">
        <source></source>
        <translation>自动检测(&amp;A)</translation>
    </message>
    <message id="&amp;Reconnect">
        <source></source>
        <translation>重新连接(&amp;R)</translation>
    </message>
    <message id="Search for the box again">
        <source></source>
        <translation>重新搜索编程器</translation>
    </message>
    <message id="System Status">
        <source></source>
        <translation>系统状态</translation>
    </message>
    <message id="&amp;Optocoupler">
        <source></source>
        <translation>光电耦合器(&amp;O)</translation>
    </message>
    <message id="Serial adapter loopback">
        <source></source>
        <translation>串口适配器回环测试</translation>
    </message>
    <message id="Test the serial adapter with TX joined to RX">
        <source></source>
        <translation>将TX与RX短接测试串口适配器</translation>
    </message>
    <message id="&amp;Tile">
        <source></source>
        <translation>平铺(&amp;T)</translation>
    </message>
    <message id="&amp;Cascade">
        <source></source>
        <translation>层叠(&amp;C)</translation>
    </message>
    <message id="&amp;All">
        <source></source>
        <translation>排列图标(&amp;A)</translation>
    </message>
    <message id="&amp;Close Type Window">
        <source></source>
        <translation>关闭型号窗口(&amp;C)</translation>
    </message>
    <message id="&amp;Open Type Window">
        <source></source>
        <translation>打开型号窗口(&amp;O)</translation>
    </message>
    <message id="&amp;About...">
        <source></source>
        <translation>关于(&amp;A)...</translation>
    </message>
    <message id="Show program information">
        <source></source>
        <translation>显示程序信息</translation>
    </message>
    <message id="Bring-up report">
        <source></source>
        <translation>调试报告</translation>
    </message>
    <message id="Write a report of the box to attach to a question">
        <source></source>
        <translation>生成编程器报告，提问时附上</translation>
    </message>
    <message id="Load file to buffer">
        <source></source>
        <translation>装载文件到缓冲区</translation>
    </message>
    <message id="Save buffer to a file">
        <source></source>
        <translation>保存缓冲区到文件</translation>
    </message>
    <message id="Fill buffer">
        <source></source>
        <translation>填充缓冲区</translation>
    </message>
    <message id="Select device type">
        <source></source>
        <translation>选择器件型号</translation>
    </message>
    <message id="Wr/Re/Ver...">
        <source></source>
        <translation>写/读/校验...</translation>
    </message>
    <message id="Test system">
        <source></source>
        <translation>测试系统</translation>
    </message>
    <message id="Detect Memory MFG/Type">
        <source></source>
        <translation>检测存储器厂商/型号</translation>
    </message>
    <message id="Topic Search|">
        <source></source>
        <translation>主题搜索|</translation>
    </message>
    <message id="测试光电偶合器">
        <source></source>
        <translation>测试光电耦合器</translation>
    </message>
    <message id="QUARVINV5  Ver 5.37  for Win95/98/me/2000/xp  www.quarvin.com">
        <source></source>
        <translation>QUARVIN V5  版本 5.37  www.quarvin.com</translation>
    </message>
    <message id=" - virtual box">
        <source></source>
        <translation> - 虚拟编程器</translation>
    </message>
    <message id="Welcome to use the new version of Quarvin!">
        <source></source>
        <translation>欢迎使用新版本的Quarvin！</translation>
    </message>
    <message id="QUARVIN">
        <source></source>
        <translation>QUARVIN</translation>
    </message>
    <message id="Universal Programmer">
        <source></source>
        <translation>通用编程器</translation>
    </message>
    <message id="First detecting COM,Please wait for 1-30 sec">
        <source></source>
        <translation>正在检测串口，请等待1-30秒</translation>
    </message>
    <message id="Only for EPROM/EEPROM(27xxx,28xxx,29xxx)!">
        <source></source>
        <translation>仅用于EPROM/EEPROM(27xxx,28xxx,29xxx)！</translation>
    </message>
    <message id="Welcom to:">
        <source></source>
        <translation>欢迎使用:</translation>
    </message>
    <message id="Plesse double click mouse left button">
        <source></source>
        <translation>请双击鼠标左键</translation>
    </message>
    <message id="Cancel">
        <source></source>
        <translation>取消</translation>
    </message>
    <message id="Find">
        <source></source>
        <translation>查找</translation>
    </message>
    <message id="Find what:">
        <source></source>
        <translation>查找内容:</translation>
    </message>
    <message id="Find Next">
        <source></source>
        <translation>查找下一个</translation>
    </message>
    <message id="Replace">
        <source></source>
        <translation>替换</translation>
    </message>
    <message id="Replace with:">
        <source></source>
        <translation>替换为:</translation>
    </message>
    <message id="Replace All">
        <source></source>
        <translation>全部替换</translation>
    </message>
    <message id="EPROM">
        <source></source>
        <translation>EPROM</translation>
    </message>
    <message id="MPU       ">
        <source></source>
        <translation>单片机    </translation>
    </message>
    <message id="SERIAL EEPROM">
        <source></source>
        <translation>串行EEPROM</translation>
    </message>
    <message id="GAL">
        <source></source>
        <translation>GAL</translation>
    </message>
    <message id="TEST RAM">
        <source></source>
        <translation>测试RAM</translation>
    </message>
    <message id="File:">
        <source></source>
        <translation>文件:</translation>
    </message>
    <message id="Load">
        <source></source>
        <translation>装载</translation>
    </message>
    <message id="Save">
        <source></source>
        <translation>保存</translation>
    </message>
    <message id="Fill">
        <source></source>
        <translation>填充</translation>
    </message>
    <message id="Type">
        <source></source>
        <translation>型号</translation>
    </message>
    <message id="Prog">
        <source></source>
        <translation>编程</translation>
    </message>
    <message id="Test">
        <source></source>
        <translation>测试</translation>
    </message>
    <message id="Detect">
        <source></source>
        <translation>检测</translation>
    </message>
    <message id="Language">
        <source></source>
        <translation>语言</translation>
    </message>
    <message id="The window's language; applies at once">
        <source></source>
        <translation>窗口语言，立即生效</translation>
    </message>
    <message id="Stop">
        <source></source>
        <translation>停止</translation>
    </message>
    <message id="Stop the running operation">
        <source></source>
        <translation>停止正在运行的操作</translation>
    </message>
    <message id="Virtual socket">
        <source></source>
        <translation>虚拟插座</translation>
    </message>
    <message id="Chip">
        <source></source>
        <translation>芯片</translation>
    </message>
    <message id="Insert blank">
        <source></source>
        <translation>插入空片</translation>
    </message>
    <message id="Remove">
        <source></source>
        <translation>取出</translation>
    </message>
    <message id="In socket">
        <source></source>
        <translation>插座中</translation>
    </message>
    <message id="Load...">
        <source></source>
        <translation>装载...</translation>
    </message>
    <message id="Save...">
        <source></source>
        <translation>保存...</translation>
    </message>
    <message id="Faults">
        <source></source>
        <translation>故障</translation>
    </message>
    <message id="Address">
        <source></source>
        <translation>地址</translation>
    </message>
    <message id="Mask">
        <source></source>
        <translation>掩码</translation>
    </message>
    <message id="Value">
        <source></source>
        <translation>值</translation>
    </message>
    <message id="Stuck bits">
        <source></source>
        <translation>固定位</translation>
    </message>
    <message id="Won't program">
        <source></source>
        <translation>不能编程</translation>
    </message>
    <message id="Clear faults">
        <source></source>
        <translation>清除故障</translation>
    </message>
    <message id="Stress events">
        <source></source>
        <translation>电气应力事件</translation>
    </message>
    <message id="Fuse map">
        <source></source>
        <translation>熔丝图</translation>
    </message>
    <message id="Security">
        <source></source>
        <translation>加密</translation>
    </message>
    <message id="Type:  ">
        <source></source>
        <translation>型号:  </translation>
    </message>
    <message id="&lt;Device&gt;">
        <source></source>
        <translation>&lt;器件&gt;</translation>
    </message>
    <message id="Soft run only">
        <source></source>
        <translation>仅运行软件</translation>
    </message>
    <message id="Search cancelled: soft run only">
        <source></source>
        <translation>已取消搜索：仅运行软件</translation>
    </message>
    <message id="virtual box">
        <source></source>
        <translation>虚拟编程器</translation>
    </message>
    <message id="soft run">
        <source></source>
        <translation>仅软件</translation>
    </message>
    <message id="link lost">
        <source></source>
        <translation>连接中断</translation>
    </message>
    <message id="Close">
        <source></source>
        <translation>关闭</translation>
    </message>
    <message id="Differences">
        <source></source>
        <translation>差异</translation>
    </message>
    <message id="Only changed pages">
        <source></source>
        <translation>只写有变化的页</translation>
    </message>
    <message id="Serial number">
        <source></source>
        <translation>序列号</translation>
    </message>
    <message id="Write a serial number when programming">
        <source></source>
        <translation>编程时写入序列号</translation>
    </message>
    <message id="Address (HEX)">
        <source></source>
        <translation>地址 (HEX)</translation>
    </message>
    <message id="Format">
        <source></source>
        <translation>格式</translation>
    </message>
    <message id="Digits">
        <source></source>
        <translation>位数</translation>
    </message>
    <message id="Step">
        <source></source>
        <translation>步长</translation>
    </message>
    <message id="Counter file">
        <source></source>
        <translation>计数文件</translation>
    </message>
    <message id="&amp;Serial number">
        <source></source>
        <translation>序列号(&amp;S)</translation>
    </message>
    <message id="Write a serial number into each chip programmed">
        <source></source>
        <translation>在每片编程的芯片中写入序列号</translation>
    </message>
    <message id="Auto, &amp;next chip">
        <source></source>
        <translation>自动，下一片(&amp;N)</translation>
    </message>
    <message id="Run Auto chip after chip, each with the next serial number">
        <source></source>
        <translation>逐片运行自动，每片使用下一个序列号</translation>
    </message>
    <message id="AT89S5x...">
        <source></source>
        <translation>AT89S5x...</translation>
    </message>
    <message id="The pins do not answer as the selected chip's">
        <source></source>
        <translation>引脚的响应与所选芯片不符</translation>
    </message>
    <message id="no socket check for this family">
        <source></source>
        <translation>此系列无插座检查</translation>
    </message>
    <message id="no socket check for this device: its pins in the socket are not known">
        <source></source>
        <translation>此器件无插座检查：不知道它在插座中的引脚</translation>
    </message>
    <message id="no socket check for this device: no pin of it is known to answer while it is unpowered">
        <source></source>
        <translation>此器件无插座检查：不加电时没有已知会响应的引脚</translation>
    </message>
    <message id="Bad contact on pin">
        <source></source>
        <translation>接触不良：引脚</translation>
    </message>
    <message id="The chip sits">
        <source></source>
        <translation>芯片高出</translation>
    </message>
    <message id="row too high">
        <source></source>
        <translation>排</translation>
    </message>
    <message id="rows too high">
        <source></source>
        <translation>排</translation>
    </message>
    <message id="a class of logic parts has no one pinout, and bipolar TTL pins do not clamp to Vcc">
        <source></source>
        <translation>一类逻辑器件没有统一的引脚排列，双极型TTL引脚也不钳位到Vcc</translation>
    </message>
    <message id="an optocoupler has no supply pin, and its LEDs and transistors cannot be read unpowered">
        <source></source>
        <translation>光电耦合器没有电源引脚，其发光管和晶体管不加电时无法读出</translation>
    </message>
    <message id="Check the socket before each operation">
        <source></source>
        <translation>每次操作前检查插座</translation>
    </message>
    <message id="Every button and Auto first check the chip's contacts and seat">
        <source></source>
        <translation>每个按钮和自动操作先检查芯片的接触和位置</translation>
    </message>
    <message id="Socket check">
        <source></source>
        <translation>插座检查</translation>
    </message>
    <message id="Check the chip's contacts and seat, nothing powered">
        <source></source>
        <translation>不加电检查芯片的接触和位置</translation>
    </message>
    <message id="this family is not built in this version">
        <source></source>
        <translation>此版本未包含此系列</translation>
    </message>
    <message id="Fault">
        <source></source>
        <translation>故障</translation>
    </message>
    <message id="Add fault">
        <source></source>
        <translation>添加故障</translation>
    </message>
    <message id="Socket OK">
        <source></source>
        <translation>插座正常</translation>
    </message>
    <message id="No chip in the socket">
        <source></source>
        <translation>插座中没有芯片</translation>
    </message>
    <message id="The chip sits reversed">
        <source></source>
        <translation>芯片放反了</translation>
    </message>
    <message id="P16f87x">
        <source></source>
        <translation>P16f87x</translation>
    </message>
    <message id="Wrong chip! (device ID %04x, not %s)">
        <source></source>
        <translation>芯片型号不对！(器件ID %04x，不是 %s)</translation>
    </message>
    <message id="P2816">
        <source></source>
        <translation>P2816</translation>
    </message>
</context>
</TS>
