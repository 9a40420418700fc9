<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_GB">
<context>
    <name>kx9</name>
    <message>
        <source>&amp;Backups...</source>
        <translation>备份(&amp;B)...</translation>
    </message>
    <message>
        <source>List the copies kept of every radio read, and open one
Backups</source>
        <translation>列出每次读取对讲机时保存的备份，并可打开其中之一
备份</translation>
    </message>
    <message>
        <source>Backups</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>日期时间</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Radio type</source>
        <translation>机型</translation>
    </message>
    <message>
        <source>Channels in use</source>
        <translation>已用频道</translation>
    </message>
    <message>
        <source>Compared with the window</source>
        <translation>与窗口中的数据相比</translation>
    </message>
    <message>
        <source>Differs</source>
        <translation>不同</translation>
    </message>
    <message>
        <source>Same</source>
        <translation>相同</translation>
    </message>
    <message>
        <source>Not a channel file</source>
        <translation>不是频道文件</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>Show &amp;Folder</source>
        <translation>显示文件夹(&amp;F)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Folder: %1</source>
        <translation>文件夹：%1</translation>
    </message>
    <message>
        <source>No backups yet: every read from a radio keeps one here.</source>
        <translation>尚无备份：每次读取对讲机都会在此保存一份。</translation>
    </message>
    <message>
        <source>The backups folder could not be opened: %1</source>
        <translation>无法打开备份文件夹：%1</translation>
    </message>
    <message>
        <source>Backup of %1</source>
        <translation>%1 的备份</translation>
    </message>
    <message>
        <source>Keep a copy of the radio&apos;s data from every read in the backups folder
Keep backups</source>
        <translation>每次读取对讲机时都在备份文件夹中保存一份数据
保存备份</translation>
    </message>
    <message>
        <source>Needs a second session with the radio after the first one ends; some radios must be switched off and on between sessions.</source>
        <translation>需要在第一次会话结束后与对讲机再进行一次会话；有些对讲机需要在两次会话之间关机再开机。</translation>
    </message>
    <message>
        <source>VANTARO Programing Software</source>
        <translation>VANTARO 写频软件</translation>
    </message>
    <message>
        <source>For Help，Please Press F1</source>
        <translation>如需帮助，请按F1键</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>新建一个频道文件
新建</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>打开一个已有的频道文件
打开</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>保存当前频道文件
保存</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>以新文件名保存当前频道文件
另存为</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>打印当前频道资料
打印</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>显示整页
打印预览</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>更改打印机及打印选项
打印设置</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>退出程序；退出前提示保存文件
退出</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>撤销上一步操作
撤销</translation>
    </message>
    <message>
        <source>Redo the previously undone action
Redo</source>
        <translation>重做上一步撤销的操作
重做</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Read From Radio</source>
        <translation>从对讲机读取(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Write To Radio</source>
        <translation>写入对讲机(&amp;W)</translation>
    </message>
    <message>
        <source>High Power Debug</source>
        <translation>高功率调试</translation>
    </message>
    <message>
        <source>Low Power Debug</source>
        <translation>低功率调试</translation>
    </message>
    <message>
        <source>&amp;Debug Mode...</source>
        <translation>调试模式(&amp;D)...</translation>
    </message>
    <message>
        <source>&amp;Optional Features</source>
        <translation>功能设置(&amp;O)</translation>
    </message>
    <message>
        <source>Read Data From Radio
Read</source>
        <translation>从对讲机读取数据
读取</translation>
    </message>
    <message>
        <source>Write Data to Radio 
Write</source>
        <translation>向对讲机写入数据
写入</translation>
    </message>
    <message>
        <source>Tune the radio&apos;s high transmit power on line
High Power Debug</source>
        <translation>在线调整对讲机的高发射功率
高功率调试</translation>
    </message>
    <message>
        <source>Tune the radio&apos;s low transmit power on line
Low Power Debug</source>
        <translation>在线调整对讲机的低发射功率
低功率调试</translation>
    </message>
    <message>
        <source>Debug TX Power,Squelch Level,Low Power Alert
Debug on line</source>
        <translation>调试发射功率、静噪等级、低电压报警
在线调试</translation>
    </message>
    <message>
        <source>Set the rest  functional features for the interphone</source>
        <translation>设置对讲机的其他功能</translation>
    </message>
    <message>
        <source>P&amp;ort</source>
        <translation>端口(&amp;O)</translation>
    </message>
    <message>
        <source>COM1(&amp;P)</source>
        <translation>COM1(&amp;P)</translation>
    </message>
    <message>
        <source>COM2(&amp;Q)</source>
        <translation>COM2(&amp;Q)</translation>
    </message>
    <message>
        <source>COM3(&amp;S)</source>
        <translation>COM3(&amp;S)</translation>
    </message>
    <message>
        <source>COM4(&amp;T)</source>
        <translation>COM4(&amp;T)</translation>
    </message>
    <message>
        <source>Choose Communication Port one 
Com1</source>
        <translation>选择通讯端口一
Com1</translation>
    </message>
    <message>
        <source>Choose Communication Port two 
Com2</source>
        <translation>选择通讯端口二
Com2</translation>
    </message>
    <message>
        <source>Choose Communication Port three 
Com3</source>
        <translation>选择通讯端口三
Com3</translation>
    </message>
    <message>
        <source>Choose Communication Port four 
Com4</source>
        <translation>选择通讯端口四
Com4</translation>
    </message>
    <message>
        <source>Use a serial device by its path</source>
        <translation>按设备路径选择串口</translation>
    </message>
    <message>
        <source>Use the serial port </source>
        <translation>使用串口 </translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>显示或隐藏工具栏
显示/隐藏工具栏</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>显示或隐藏状态栏
显示/隐藏状态栏</translation>
    </message>
    <message>
        <source>&amp;Language / 语言</source>
        <translation>语言 / Language(&amp;L)</translation>
    </message>
    <message>
        <source>Switch the program between English and Chinese
Language</source>
        <translation>在中文和英文之间切换程序界面
语言</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>帮助主题(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About KX9...</source>
        <translation>关于 KX9(&amp;A)...</translation>
    </message>
    <message>
        <source>List Help topics
Help Topics</source>
        <translation>列出帮助主题
帮助主题</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>显示程序信息、版本号和版权
关于</translation>
    </message>
    <message>
        <source>Display help
Help</source>
        <translation>显示帮助
帮助</translation>
    </message>
    <message>
        <source>Display help for clicked on buttons, menus and windows
Help</source>
        <translation>显示所点击的按钮、菜单和窗口的帮助
帮助</translation>
    </message>
    <message>
        <source>Edit channel Data 
Edit</source>
        <translation>编辑频道数据
编辑</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>否(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Retry</source>
        <translation>重试(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>不保存(&amp;D)</translation>
    </message>
    <message>
        <source>Channel Data (*.sin)</source>
        <translation>频道数据 (*.sin)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Serial Port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Device path of the programming cable:</source>
        <translation>写频线的设备路径：</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Progress：</source>
        <translation>进度：</translation>
    </message>
    <message>
        <source>   Not start yet</source>
        <translation>   尚未开始</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>功能设置</translation>
    </message>
    <message>
        <source>Function Set</source>
        <translation>功能选项</translation>
    </message>
    <message>
        <source>Time Out Timer</source>
        <translation>发射限时</translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation>静噪等级</translation>
    </message>
    <message>
        <source>Vox Gain Level</source>
        <translation>Vox 增益电平</translation>
    </message>
    <message>
        <source>Language Choose</source>
        <translation>语言选择</translation>
    </message>
    <message>
        <source>Priority Channel</source>
        <translation>优先频道</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>步进</translation>
    </message>
    <message>
        <source>PTT ID</source>
        <translation>PTT ID</translation>
    </message>
    <message>
        <source>BandWidth Menu</source>
        <translation>带宽菜单</translation>
    </message>
    <message>
        <source>Frequency Differ Menu</source>
        <translation>频差菜单</translation>
    </message>
    <message>
        <source>Differ Direction Menu</source>
        <translation>频差方向菜单</translation>
    </message>
    <message>
        <source>Frequency Mode BandWidth</source>
        <translation>频率模式带宽</translation>
    </message>
    <message>
        <source>Frequency Differ Direction</source>
        <translation>频差方向</translation>
    </message>
    <message>
        <source>Frequency Differ</source>
        <translation>频差</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>提示音</translation>
    </message>
    <message>
        <source>Scrambler Activation</source>
        <translation>扰频器激活</translation>
    </message>
    <message>
        <source>Battery Save</source>
        <translation>电池省电</translation>
    </message>
    <message>
        <source>Repeater MSK Invert</source>
        <translation>中继 MSK 反相</translation>
    </message>
    <message>
        <source>H/L Power LPD</source>
        <translation>LPD 高/低功率</translation>
    </message>
    <message>
        <source>End Of Tx PTT ID</source>
        <translation>发射结束 PTT ID</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>宽</translation>
    </message>
    <message>
        <source>Narrow</source>
        <translation>窄</translation>
    </message>
    <message>
        <source>5k</source>
        <translation>5k</translation>
    </message>
    <message>
        <source>10k</source>
        <translation>10k</translation>
    </message>
    <message>
        <source>6.25k</source>
        <translation>6.25k</translation>
    </message>
    <message>
        <source>12.5k</source>
        <translation>12.5k</translation>
    </message>
    <message>
        <source>25k</source>
        <translation>25k</translation>
    </message>
    <message>
        <source>Debug Mode</source>
        <translation>调试模式</translation>
    </message>
    <message>
        <source>Debug Frequency</source>
        <translation>调试频率</translation>
    </message>
    <message>
        <source>High Frequency</source>
        <translation>高端频率</translation>
    </message>
    <message>
        <source>Middle Frequency</source>
        <translation>中间频率</translation>
    </message>
    <message>
        <source>Low Frequency</source>
        <translation>低端频率</translation>
    </message>
    <message>
        <source>Low frequency</source>
        <translation>低端频率</translation>
    </message>
    <message>
        <source>Debug Item</source>
        <translation>调试项目</translation>
    </message>
    <message>
        <source>TX Frequency</source>
        <translation>发射频率</translation>
    </message>
    <message>
        <source>Low Power Voltage</source>
        <translation>低电压报警</translation>
    </message>
    <message>
        <source>TX Power</source>
        <translation>发射功率</translation>
    </message>
    <message>
        <source>Exit Debug</source>
        <translation>退出调试</translation>
    </message>
    <message>
        <source>Please Choose Frequency first</source>
        <translation>请先选择频率</translation>
    </message>
    <message>
        <source>Receive</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>Transmit</source>
        <translation>发射</translation>
    </message>
    <message>
        <source>Frequency (MHz)</source>
        <translation>频率 (MHz)</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>信令</translation>
    </message>
    <message>
        <source>Tone Method</source>
        <translation>信令方式</translation>
    </message>
    <message>
        <source>Step Value</source>
        <translation>步进值</translation>
    </message>
    <message>
        <source>QT</source>
        <translation>QT</translation>
    </message>
    <message>
        <source>DQT</source>
        <translation>DQT</translation>
    </message>
    <message>
        <source>5.00KHZ</source>
        <translation>5.00KHZ</translation>
    </message>
    <message>
        <source>6.25KHZ</source>
        <translation>6.25KHZ</translation>
    </message>
    <message>
        <source>Parameter Value</source>
        <translation>参数值</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>Current Position:</source>
        <translation>当前位置：</translation>
    </message>
    <message>
        <source>Choose Debug Frequency</source>
        <translation>选择调试频率</translation>
    </message>
    <message>
        <source>High(MHz)</source>
        <translation>高端(MHz)</translation>
    </message>
    <message>
        <source>Middle(MHz)</source>
        <translation>中间(MHz)</translation>
    </message>
    <message>
        <source>Low(MHz)</source>
        <translation>低端(MHz)</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation>下一页(&amp;N)</translation>
    </message>
    <message>
        <source>Pre&amp;v Page</source>
        <translation>上一页(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;One Page</source>
        <translation>单页(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Two Page</source>
        <translation>双页(&amp;T)</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>放大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom O&amp;ut</source>
        <translation>缩小(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
    <message>
        <source>Pages %1-%2</source>
        <translation>第 %1-%2 页</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>全选(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Insert Empty Channel</source>
        <translation>插入空频道(&amp;I)</translation>
    </message>
    <message>
        <source>Delete C&amp;hannel</source>
        <translation>删除频道(&amp;H)</translation>
    </message>
    <message>
        <source>Move Do&amp;wn</source>
        <translation>下移(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>导入(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>导出(&amp;E)...</translation>
    </message>
    <message>
        <source>Copy the selected cells and empty their channels
Cut</source>
        <translation>复制所选格子并清空其频道
剪切</translation>
    </message>
    <message>
        <source>Copy the selected cells
Copy</source>
        <translation>复制所选格子
复制</translation>
    </message>
    <message>
        <source>Paste cells from the clipboard at the current cell
Paste</source>
        <translation>从当前格子起粘贴剪贴板中的格子
粘贴</translation>
    </message>
    <message>
        <source>Empty the channels of the selected cells
Delete</source>
        <translation>清空所选格子所在的频道
删除</translation>
    </message>
    <message>
        <source>Select every cell of the grid
Select All</source>
        <translation>选择表格中的全部格子
全选</translation>
    </message>
    <message>
        <source>Insert empty channels above the selected ones; later channels move down
Insert Channel</source>
        <translation>在所选频道前插入空频道，后面的频道下移
插入频道</translation>
    </message>
    <message>
        <source>Delete the selected channels; later channels move up
Delete Channel</source>
        <translation>删除所选频道，后面的频道上移
删除频道</translation>
    </message>
    <message>
        <source>Move the selected channels up one
Move Up</source>
        <translation>将所选频道上移一位
上移</translation>
    </message>
    <message>
        <source>Move the selected channels down one
Move Down</source>
        <translation>将所选频道下移一位
下移</translation>
    </message>
    <message>
        <source>Read channels from a CSV channel list
Import</source>
        <translation>从 CSV 频道列表读入频道
导入</translation>
    </message>
    <message>
        <source>Write the channels to a CSV channel list
Export</source>
        <translation>把频道写入 CSV 频道列表
导出</translation>
    </message>
    <message>
        <source>Import Channel List</source>
        <translation>导入频道列表</translation>
    </message>
    <message>
        <source>Channels from:</source>
        <translation>频道来自：</translation>
    </message>
    <message>
        <source>Replace all channels</source>
        <translation>替换全部频道</translation>
    </message>
    <message>
        <source>Channels the list does not name are emptied; otherwise they are kept.</source>
        <translation>勾选后，列表中没有的频道将被清空；否则保留。</translation>
    </message>
    <message>
        <source>Channel List (*.csv)</source>
        <translation>频道列表 (*.csv)</translation>
    </message>
    <message>
        <source>Write To &amp;Several Radios...</source>
        <translation>写入多台对讲机(&amp;S)...</translation>
    </message>
    <message>
        <source>Write the grid into many radios at once, one cable each
Write To Several Radios</source>
        <translation>将表格同时写入多台对讲机，每台一根写频线
写入多台对讲机</translation>
    </message>
    <message>
        <source>Write To Several Radios</source>
        <translation>写入多台对讲机</translation>
    </message>
    <message>
        <source>Tick the port of every radio to write, one programming cable each. The channels as the window shows them go into all of them at the same time.</source>
        <translation>勾选要写入的每台对讲机的串口，每台一根写频线。窗口中显示的频道将同时写入所有对讲机。</translation>
    </message>
    <message>
        <source>Identity</source>
        <translation>机型标识</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>&amp;Other Port...</source>
        <translation>其他串口(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>开始(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Cancel All</source>
        <translation>全部取消(&amp;C)</translation>
    </message>
    <message>
        <source>Tick at least one port.</source>
        <translation>请至少勾选一个串口。</translation>
    </message>
    <message>
        <source>Writing...</source>
        <translation>正在写入...</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>已写入</translation>
    </message>
    <message>
        <source>Verified</source>
        <translation>已校验</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>已跳过</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1 of %2 radios written.</source>
        <translation>已写入 %1 台，共 %2 台。</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>正在取消...</translation>
    </message>
    <message>
        <source>&amp;Restore To Radio...</source>
        <translation>恢复到对讲机(&amp;R)...</translation>
    </message>
    <message>
        <source>Open makes a new document of the backup: its Write converts the channel table as every Write does, so an empty channel goes to the radio in its fixed form. Restore To Radio sends the backup&apos;s bytes 0x000-0xFEF exactly as they are.</source>
        <translation>“打开”把备份作为新文档打开：它的写入与所有写入一样经过频道表转换，因此空频道以固定形式写入对讲机。“恢复到对讲机”把备份的 0x000-0xFEF 字节原样写入。</translation>
    </message>
    <message>
        <source>Restore the backup of %1</source>
        <translation>恢复 %1 的备份</translation>
    </message>
    <message>
        <source>&amp;Keep a Backup of Every Read</source>
        <translation>每次读取都保存备份(&amp;K)</translation>
    </message>
    <message>
        <source>&amp;Read the radio first and keep a copy</source>
        <translation>先读取对讲机并保存一份(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Verify after writing</source>
        <translation>写入后校验(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;High Power Debug</source>
        <translation>高功率调试(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Low Power Debug</source>
        <translation>低功率调试(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Move Up</source>
        <translation>上移(&amp;M)</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>&amp;Other...</source>
        <translation>其他(&amp;O)...</translation>
    </message>
    <message>
        <source>Waiting the response from radio....</source>
        <translation>正在等待对讲机应答....</translation>
    </message>
    <message>
        <source>Reading Data Progress</source>
        <translation>读取数据进度</translation>
    </message>
    <message>
        <source>Writing Data Progress</source>
        <translation>写入数据进度</translation>
    </message>
    <message>
        <source>%1 menu</source>
        <translation>%1菜单</translation>
    </message>
    <message>
        <source>identity differs from the file&apos;s %1</source>
        <translation>机型标识与文件的 %1 不同</translation>
    </message>
    <message>
        <source>&amp;Also write radios whose identity differs from the file&apos;s</source>
        <translation>也写入机型标识与文件不同的对讲机(&amp;A)</translation>
    </message>
</context>
</TS>
