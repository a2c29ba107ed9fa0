<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>FileDialogs</name>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV文件(*.csv)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有文件(*)</translation>
    </message>
    <message>
        <source>Configuration texts (*.yaml *.yml)</source>
        <translation>配置文本(*.yaml *.yml)</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF文件(*.pdf)</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>忽略</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>varel::AboutBox</name>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>English edition V1.20</source>
        <translation>简体中文版 V1.20</translation>
    </message>
    <message>
        <source>Program version %1</source>
        <translation>程序版本 %1</translation>
    </message>
</context>
<context>
    <name>varel::ApplicationTitle</name>
    <message>
        <source>Varel Wavesmith</source>
        <translation>Varel 对讲机编程软件</translation>
    </message>
</context>
<context>
    <name>varel::BandSelector</name>
    <message>
        <source>Changing the frequency band will remove the channel tabulation, confirm?</source>
        <translation>改变频段将清除频道列表，确定吗？</translation>
    </message>
    <message>
        <source>Be careful!</source>
        <translation>注意！</translation>
    </message>
</context>
<context>
    <name>varel::ChannelActions</name>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Insert Channel</source>
        <translation>插入频道</translation>
    </message>
    <message>
        <source>Delete Channels</source>
        <translation>删除频道</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Sort by Receive Frequency</source>
        <translation>按接收频率排序</translation>
    </message>
    <message>
        <source>Go to Channel...</source>
        <translation>转到频道...</translation>
    </message>
    <message>
        <source>Channel %1 is in use: no channel can be inserted before it.</source>
        <translation>频道 %1 已被使用，不能在它之前插入频道。</translation>
    </message>
    <message>
        <source>Channel number (1-%1):</source>
        <translation>频道号 (1-%1)：</translation>
    </message>
    <message>
        <source>Go to Channel</source>
        <translation>转到频道</translation>
    </message>
    <message>
        <source>The channels on the clipboard are damaged: nothing was pasted.</source>
        <translation>剪贴板上的频道数据已损坏，未粘贴任何内容。</translation>
    </message>
    <message>
        <source>Next Problem</source>
        <translation>下一个问题</translation>
    </message>
</context>
<context>
    <name>varel::DoctorWindow</name>
    <message>
        <source>Diagnose Connection</source>
        <translation>连接诊断</translation>
    </message>
    <message>
        <source>Run Again</source>
        <translation>重新诊断</translation>
    </message>
    <message>
        <source>Every serial port that exists</source>
        <translation>所有存在的串口</translation>
    </message>
    <message>
        <source>Com%1: %2</source>
        <translation>Com%1：%2</translation>
    </message>
    <message>
        <source>Asking the radio...</source>
        <translation>正在询问电台...</translation>
    </message>
</context>
<context>
    <name>varel::DocumentCommands</name>
    <message>
        <source>Unsaved data will be lost, sure?</source>
        <translation>未保存的数据将会丢失，确定吗？</translation>
    </message>
    <message>
        <source>Failed to open the file!</source>
        <translation>打开文件失败！</translation>
    </message>
    <message>
        <source>Failed to save the file!</source>
        <translation>保存文件失败！</translation>
    </message>
    <message>
        <source>Import Channels (CSV)</source>
        <translation>导入频道列表(CSV)</translation>
    </message>
    <message numerus="yes">
        <source>%n channel(s) written; some could not be written whole.</source>
        <translation>
            <numerusform>已写入 %n 个频道，部分频道无法完整写入。</numerusform>
        </translation>
    </message>
    <message>
        <source>Export Channels (CSV)</source>
        <translation>导出频道列表(CSV)</translation>
    </message>
    <message>
        <source>The configuration and %1 are the same.</source>
        <translation>当前配置与 %1 相同。</translation>
    </message>
    <message>
        <source>Compare With File</source>
        <translation>与文件比较</translation>
    </message>
    <message numerus="yes">
        <source>%n difference(s) between the configuration and %1.</source>
        <translation>
            <numerusform>当前配置与 %1 有 %n 处不同。</numerusform>
        </translation>
    </message>
    <message>
        <source>No backup has been saved yet: a backup is kept of every read and write.</source>
        <translation>还没有保存过备份：每次读频和写频都会保存一份备份。</translation>
    </message>
</context>
<context>
    <name>varel::EditLabel</name>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Import channel list</source>
        <translation>导入频道列表</translation>
    </message>
    <message>
        <source>channel %1 %2</source>
        <translation>频道 %1 %2</translation>
    </message>
    <message>
        <source>Cut channels</source>
        <translation>剪切频道</translation>
    </message>
    <message>
        <source>Paste channels</source>
        <translation>粘贴频道</translation>
    </message>
    <message>
        <source>Clear channels</source>
        <translation>清除频道</translation>
    </message>
    <message>
        <source>Insert channel</source>
        <translation>插入频道</translation>
    </message>
    <message>
        <source>Delete channels</source>
        <translation>删除频道</translation>
    </message>
    <message>
        <source>Move channels</source>
        <translation>移动频道</translation>
    </message>
    <message>
        <source>Sort channels</source>
        <translation>排序频道</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读频</translation>
    </message>
    <message>
        <source>Import Text</source>
        <translation>导入文本</translation>
    </message>
</context>
<context>
    <name>varel::FleetWindow</name>
    <message numerus="yes">
        <source>%1 cannot be numbered on for %n radio(s): the Display Character holds up to 6 characters.</source>
        <translation>
            <numerusform>%1 无法为 %n 台对讲机依次编号：开机显示字符最多 6 个字符。</numerusform>
        </translation>
    </message>
    <message>
        <source>Tick the radios to write.</source>
        <translation>请勾选要写频的对讲机。</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>等待中</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>正在连接</translation>
    </message>
    <message>
        <source>Writing</source>
        <translation>正在写频</translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>正在校验</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>写频成功</translation>
    </message>
    <message>
        <source>Written and verified</source>
        <translation>写频成功，已校验</translation>
    </message>
    <message numerus="yes">
        <source>Failed: %n block(s) not as written</source>
        <translation>
            <numerusform>失败：%n 个数据块与写入的不一致</numerusform>
        </translation>
    </message>
    <message>
        <source>Failed: written, but the radio could not be read back</source>
        <translation>失败：已写频，但无法读回对讲机数据</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>失败：%1</translation>
    </message>
    <message>
        <source>Report saved: %1</source>
        <translation>报告已保存：%1</translation>
    </message>
    <message>
        <source>The report could not be saved: %1</source>
        <translation>报告未能保存：%1</translation>
    </message>
    <message>
        <source>Write to Several Radios</source>
        <translation>多台写频</translation>
    </message>
    <message>
        <source>The configuration of the editors is written to every ticked radio at the same time, each on its own port, each with its own backup. A radio given a Display Character gets it as its own power-on text; every other byte is the same.</source>
        <translation>编辑窗口中的配置同时写入每台勾选的对讲机，每台使用各自的串口并各自备份。填写了开机显示字符的对讲机以此作为自己的开机显示；其余所有字节都相同。</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Display Character</source>
        <translation>开机显示字符</translation>
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
        <source>Verify after write</source>
        <translation>写频后校验</translation>
    </message>
    <message>
        <source>Number Down</source>
        <translation>向下编号</translation>
    </message>
    <message>
        <source>Numbers the Display Character of the ticked radios on from the first: CLUB01, CLUB02 ...</source>
        <translation>从第一台起为勾选的对讲机依次编号开机显示字符：CLUB01、CLUB02 ...</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Retry Failed</source>
        <translation>重试失败的</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>varel::FmEditor</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>varel::MainWindow</name>
    <message>
        <source>New(&amp;N)</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>Open(&amp;O)</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>Save(&amp;S)</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Print(&amp;P)</source>
        <translation>打印(&amp;P)</translation>
    </message>
    <message>
        <source>Import Channels (CSV)...</source>
        <translation>导入频道列表(CSV)...</translation>
    </message>
    <message>
        <source>Export Channels (CSV)...</source>
        <translation>导出频道列表(CSV)...</translation>
    </message>
    <message>
        <source>Quit(&amp;Q)</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>Channel Edit(&amp;M)</source>
        <extracomment>Menu item; the channel window&apos;s own caption, 信道编辑, is in the codec&apos;s bilingual table.</extracomment>
        <translation>信道编辑(&amp;M)</translation>
    </message>
    <message>
        <source>DTMF(&amp;D)</source>
        <translation>DTMF信令(&amp;D)</translation>
    </message>
    <message>
        <source>Optional Features(&amp;P)</source>
        <translation>可选功能(&amp;P)</translation>
    </message>
    <message>
        <source>Debug Information(&amp;B)</source>
        <translation>调试信息(&amp;B)</translation>
    </message>
    <message>
        <source>FM Channel Set</source>
        <extracomment>Menu item; the FM window&apos;s own caption, FM频道设置, is in the codec&apos;s bilingual table.</extracomment>
        <translation>收音机频道设置</translation>
    </message>
    <message>
        <source>Undo(&amp;U)</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>Redo(&amp;R)</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Read Data from the Transceive(&amp;R)</source>
        <translation>读频(&amp;R)</translation>
    </message>
    <message>
        <source>Write Data in the Transceive(&amp;W)</source>
        <translation>写频(&amp;W)</translation>
    </message>
    <message>
        <source>Communication Port(&amp;C)</source>
        <translation>通信端口(&amp;C)</translation>
    </message>
    <message>
        <source>Chinese(&amp;C)</source>
        <translation>中文(&amp;C)</translation>
    </message>
    <message>
        <source>English(&amp;E)</source>
        <translation>英文(&amp;E)</translation>
    </message>
    <message>
        <source>Help Theme(F1)</source>
        <translation>帮助主题(F1)</translation>
    </message>
    <message>
        <source>About(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>Programming(&amp;G)</source>
        <translation>编程(&amp;G)</translation>
    </message>
    <message>
        <source>Language Select(&amp;L)</source>
        <translation>语言选择(&amp;L)</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Read Data from the Transceive</source>
        <translation>读频</translation>
    </message>
    <message>
        <source>Write Data in the Transceive</source>
        <translation>写频</translation>
    </message>
    <message>
        <source>Confirm that withdraws from a procedure?</source>
        <translation>确定退出本程序？</translation>
    </message>
    <message>
        <source>Lose all in change not kept!</source>
        <translation>未保存的更改将全部丢失！</translation>
    </message>
    <message>
        <source>Undo %1(&amp;U)</source>
        <translation>撤销 %1(&amp;U)</translation>
    </message>
    <message>
        <source>Redo %1(&amp;R)</source>
        <translation>重做 %1(&amp;R)</translation>
    </message>
    <message>
        <source>Channels(&amp;N)</source>
        <translation>频道(&amp;N)</translation>
    </message>
    <message>
        <source>Backups...</source>
        <translation>备份...</translation>
    </message>
    <message>
        <source>Compare With File...</source>
        <translation>与文件比较...</translation>
    </message>
    <message>
        <source>Verify After Write</source>
        <translation>写频后校验</translation>
    </message>
    <message numerus="yes">
        <source>%n doubtful value(s): Edit &gt; Channels &gt; Next Problem (F8)</source>
        <translation>
            <numerusform>%n 个可疑值：编辑 &gt; 频道 &gt; 下一个问题 (F8)</numerusform>
        </translation>
    </message>
    <message>
        <source>Diagnose Connection...</source>
        <translation>连接诊断...</translation>
    </message>
    <message>
        <source>Import Text...</source>
        <translation>导入文本...</translation>
    </message>
    <message>
        <source>Export Text...</source>
        <translation>导出文本...</translation>
    </message>
    <message>
        <source>Export PDF...</source>
        <translation>导出PDF...</translation>
    </message>
    <message>
        <source>Export Pocket Card...</source>
        <translation>导出频道卡...</translation>
    </message>
    <message>
        <source>Write to Several Radios...</source>
        <translation>多台写频...</translation>
    </message>
</context>
<context>
    <name>varel::MsgTitle</name>
    <message>
        <source>Tip</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Mistake</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Be careful</source>
        <translation>注意</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>注意</translation>
    </message>
</context>
<context>
    <name>varel::PaperCommands</name>
    <message>
        <source>Failed to save the file!</source>
        <translation>保存文件失败！</translation>
    </message>
    <message>
        <source>%1 was saved, but no program to show it could be started.</source>
        <translation>%1 已保存，但无法启动查看它的程序。</translation>
    </message>
</context>
<context>
    <name>varel::PortFinder</name>
    <message>
        <source>Find Port</source>
        <translation>查找端口</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>下一步(&amp;N)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>1. Unplug the programming cable from the computer.
2. Press Next.</source>
        <translation>1. 从电脑上拔下写频线。
2. 按“下一步”。</translation>
    </message>
    <message>
        <source>3. Plug the cable in and wait a few seconds.
4. Press Next.</source>
        <translation>3. 插上写频线，等待几秒钟。
4. 按“下一步”。</translation>
    </message>
    <message>
        <source>No new serial device appeared. Check that the cable is plugged in fully, wait a few seconds and press Next again.</source>
        <translation>没有出现新的串口设备。请检查写频线是否插紧，等待几秒钟后再按“下一步”。</translation>
    </message>
    <message>
        <source>Several serial devices appeared: %1. Unplug the other devices and start again.</source>
        <translation>出现了多个串口设备：%1。请拔下其他设备后重新开始。</translation>
    </message>
    <message>
        <source>The cable is %1, which is none of Com1 to Com20. To use it as a port, start the program with the variable VAREL_COM&lt;n&gt; naming it, for example VAREL_COM1=%1, and choose Com&lt;n&gt;.</source>
        <translation>写频线是 %1，不属于 Com1 至 Com20。要把它用作端口，请用环境变量 VAREL_COM&lt;n&gt; 指向它来启动程序，例如 VAREL_COM1=%1，然后选择 Com&lt;n&gt;。</translation>
    </message>
    <message>
        <source>The cable is %1, port Com%2; Com%2 is chosen.</source>
        <translation>写频线是 %1，端口 Com%2；已选择 Com%2。</translation>
    </message>
</context>
<context>
    <name>varel::PortWindow</name>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>Find Port...</source>
        <translation>查找端口...</translation>
    </message>
    <message>
        <source>Diagnose Connection...</source>
        <translation>连接诊断...</translation>
    </message>
</context>
<context>
    <name>varel::ProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>A write cannot be cancelled half-way: the radio would be left half-written.</source>
        <translation>写频不能中途取消：否则对讲机只会被写入一半。</translation>
    </message>
</context>
<context>
    <name>varel::RecentFilesMenu</name>
    <message>
        <source>The file no longer exists:
%1
It is taken off the list of recent files.</source>
        <translation>文件已不存在：
%1
已将其从最近的文件列表中删除。</translation>
    </message>
    <message>
        <source>Recent Files(&amp;R)</source>
        <translation>最近的文件(&amp;R)</translation>
    </message>
</context>
<context>
    <name>varel::TransferController</name>
    <message>
        <source>Reading……</source>
        <translation>正在读取……</translation>
    </message>
    <message>
        <source>Writing……</source>
        <translation>正在写入……</translation>
    </message>
    <message>
        <source>Check before writing</source>
        <translation>写频前检查</translation>
    </message>
    <message>
        <source>Write anyway</source>
        <translation>仍然写频</translation>
    </message>
    <message>
        <source>Verifying……</source>
        <translation>正在校验……</translation>
    </message>
    <message>
        <source>Reading the radio back to compare, please wait.</source>
        <translation>正在读回对讲机数据以比较，请稍候。</translation>
    </message>
    <message>
        <source>The write ended, but the radio could not be read back: it is not verified.</source>
        <translation>写频已结束，但无法读回对讲机数据：未能校验。</translation>
    </message>
    <message>
        <source>The backup could not be saved: %1</source>
        <translation>无法保存备份：%1</translation>
    </message>
    <message>
        <source>No port is chosen.</source>
        <translation>未选择串口。</translation>
    </message>
    <message>
        <source>The trace of the transfer could not be saved: %1</source>
        <translation>无法保存传输记录：%1</translation>
    </message>
    <message>
        <source>Programming &gt; Diagnose Connection... looks for why the radio did not answer</source>
        <translation>编程 &gt; 连接诊断... 可查找电台没有应答的原因</translation>
    </message>
</context>
<context>
    <name>varel::WriteSafety</name>
    <message numerus="yes">
        <source>The configuration has %n problem(s) the radio may not handle:</source>
        <translation>
            <numerusform>配置中有 %n 处对讲机可能无法处理的问题：</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>… and %n more (see the details).</source>
        <translation>
            <numerusform>…… 还有 %n 处（见详细信息）。</numerusform>
        </translation>
    </message>
    <message>
        <source>Write anyway, or cancel and correct them first?</source>
        <translation>仍然写频，还是取消并先改正？</translation>
    </message>
    <message numerus="yes">
        <source>The radio does not hold what was written in %n block(s):</source>
        <translation>
            <numerusform>对讲机有 %n 个数据块与写入的不一致：</numerusform>
        </translation>
    </message>
    <message>
        <source>Write the configuration again.</source>
        <translation>请重新写频。</translation>
    </message>
</context>
</TS>
