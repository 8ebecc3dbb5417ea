<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>tav</name>
    <message>
        <source>%1 座桌上的牌不止一种点数</source>
        <translation>seat %1's play holds more than one natural rank</translation>
    </message>
    <message>
        <source>%1%2一%3</source>
        <translation>%1: %2, %3</translation>
    </message>
    <message>
        <source>%1%2一%3，一%4</source>
        <translation>%1: %2, %3 and %4</translation>
    </message>
    <message>
        <source>%1%2两%3</source>
        <translation>%1: %2, two × %3</translation>
    </message>
    <message>
        <source>%1%2无牌</source>
        <translation>%1: %2, no card</translation>
    </message>
    <message>
        <source>%1个%2</source>
        <translation>%1×%2</translation>
    </message>
    <message>
        <source>%1买３</source>
        <translation>%1 buys the 3</translation>
    </message>
    <message>
        <source>%1先发牌</source>
        <translation>%1 leads first</translation>
    </message>
    <message>
        <source>%1出%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1卖３</source>
        <translation>%1 sells the 3</translation>
    </message>
    <message>
        <source>%1向%2%3%4张</source>
        <translation>%1 → %2: %3 ×%4</translation>
    </message>
    <message>
        <source>%1向%2%3张</source>
        <translation>%1: %2 ×%3</translation>
    </message>
    <message>
        <source>%1大户</source>
        <translation>%1×big joker</translation>
    </message>
    <message>
        <source>%1小户</source>
        <translation>%1×small joker</translation>
    </message>
    <message>
        <source>%1开点</source>
        <translation>%1 is open to points</translation>
    </message>
    <message>
        <source>%1得分：%2</source>
        <translation>%1 score: %2</translation>
    </message>
    <message>
        <source>%1无法读取：%2。</source>
        <translation>%1 cannot be read: %2.</translation>
    </message>
    <message>
        <source>%1钱</source>
        <translation>%1×2</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1：%2 超出范围</source>
        <translation>%1: %2 is out of range</translation>
    </message>
    <message>
        <source>%1：多出了内容</source>
        <translation>%1: more than expected</translation>
    </message>
    <message>
        <source>%1：这里应是一个数</source>
        <translation>%1: a number was expected</translation>
    </message>
    <message>
        <source>%1：这里应是座位 A..F 或 -</source>
        <translation>%1: a seat A..F or - was expected</translation>
    </message>
    <message>
        <source>%1＞%2</source>
        <translation>%1 &gt; %2</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;%1&quot;&gt;网站提供最新下载&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;%1&quot;&gt;The latest version is on the website&lt;/a&gt;</translation>
    </message>
    <message>
        <source>0 号牌被记为进贡所得</source>
        <translation>card 0 is marked as received in a tribute</translation>
    </message>
    <message>
        <source>一局之中要求洗牌</source>
        <translation>a shuffle is asked during a deal</translation>
    </message>
    <message>
        <source>三科</source>
        <translation>3rd</translation>
    </message>
    <message>
        <source>上次保存的牌局</source>
        <translation>The game saved last time</translation>
    </message>
    <message>
        <source>上次的牌局还没有打完，要接着打吗？</source>
        <translation>The last game was not finished. Go on with it?</translation>
    </message>
    <message>
        <source>不在进贡时要求进贡</source>
        <translation>a tribute is asked outside the tributes</translation>
    </message>
    <message>
        <source>不接牌请过牌</source>
        <translation>Pass if you do not follow</translation>
    </message>
    <message>
        <source>两局之间还有牌不在牌堆里</source>
        <translation>cards are out of the pack between deals</translation>
    </message>
    <message>
        <source>二科</source>
        <translation>2nd</translation>
    </message>
    <message>
        <source>二落</source>
        <translation>5th</translation>
    </message>
    <message>
        <source>仅记分</source>
        <translation>Scores only</translation>
    </message>
    <message>
        <source>保存(&amp;S)…</source>
        <translation>&amp;Save…</translation>
    </message>
    <message>
        <source>保存牌局记录</source>
        <translation>Save Game Record</translation>
    </message>
    <message>
        <source>保存的牌局不完整：没有游戏编号</source>
        <translation>the saved game is cut short: it has no game key</translation>
    </message>
    <message>
        <source>保存的牌局中%1的第 %2 行损坏</source>
        <translation>line %2 of the saved game's %1 is damaged</translation>
    </message>
    <message>
        <source>保存的牌局中%1的第 %2 行超过 %3 字节</source>
        <translation>line %2 of the saved game's %1 is longer than %3 bytes</translation>
    </message>
    <message>
        <source>保存的牌局中%1超过 %2 字节</source>
        <translation>the saved game's %1: more than %2 bytes</translation>
    </message>
    <message>
        <source>保存的牌局中%1超过 %2 行</source>
        <translation>the saved game's %1: more than %2 lines</translation>
    </message>
    <message>
        <source>保存的牌局中牌的位置缺失或损坏</source>
        <translation>the places of the saved game's cards are missing or damaged</translation>
    </message>
    <message>
        <source>保存的牌局在%1中被截断</source>
        <translation>the saved game is cut short in its %1</translation>
    </message>
    <message>
        <source>保存的牌局没有在该结束的地方结束</source>
        <translation>the saved game does not end where it should</translation>
    </message>
    <message>
        <source>保存的牌局状态不对：%1</source>
        <translation>the saved game's state is refused: %1</translation>
    </message>
    <message>
        <source>保存的牌局状态不是在等玩家</source>
        <translation>the saved game's state does not wait for the player</translation>
    </message>
    <message>
        <source>保存的牌局的提示行数缺失或损坏</source>
        <translation>the saved game's count of note lines is missing or damaged</translation>
    </message>
    <message>
        <source>保存的牌局的游戏编号不是数字</source>
        <translation>the saved game's key is not a number</translation>
    </message>
    <message>
        <source>保存的牌局的版本号不是数字</source>
        <translation>the saved game's version is not a number</translation>
    </message>
    <message>
        <source>保存的牌局的牌局编号缺失或损坏</source>
        <translation>the saved game's deal numbers are missing or damaged</translation>
    </message>
    <message>
        <source>保存的牌局的牌局记录缺失或损坏</source>
        <translation>the saved game's record is missing or damaged</translation>
    </message>
    <message>
        <source>共%1盘，%2局</source>
        <translation>%1 games, %2 deals</translation>
    </message>
    <message>
        <source>关于Tav</source>
        <translation>About Tav</translation>
    </message>
    <message>
        <source>关于Tav(&amp;A)</source>
        <translation>&amp;About Tav</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>写入文件“%1”失败：%2</source>
        <translation>Writing the file “%1” failed: %2</translation>
    </message>
    <message>
        <source>出完牌的座位数与名次不符</source>
        <translation>the count of seats out does not match their places</translation>
    </message>
    <message>
        <source>原文件已改名为 %1 。</source>
        <translation>The file has been renamed to %1.</translation>
    </message>
    <message>
        <source>发牌(&amp;O)</source>
        <translation>Pl&amp;ay</translation>
    </message>
    <message>
        <source>发牌间隔：</source>
        <translation>Pause:</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>名次</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>名次 %1 给了两次</source>
        <translation>place %1 is given twice</translation>
    </message>
    <message>
        <source>四科</source>
        <translation>4th</translation>
    </message>
    <message>
        <source>大户</source>
        <translation>big joker</translation>
    </message>
    <message>
        <source>大王</source>
        <translation>BJ</translation>
    </message>
    <message>
        <source>大落</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>头科</source>
        <translation>1st</translation>
    </message>
    <message>
        <source>对方已被抓三户</source>
        <translation>The other side has been swept</translation>
    </message>
    <message>
        <source>小          中         大</source>
        <translation>Short      Medium      Long</translation>
    </message>
    <message>
        <source>小户</source>
        <translation>small joker</translation>
    </message>
    <message>
        <source>小王</source>
        <translation>SJ</translation>
    </message>
    <message>
        <source>局数</source>
        <translation>Deals</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>平均名次</source>
        <translation>Average place</translation>
    </message>
    <message>
        <source>应用(&amp;A)</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>开始游戏请先洗牌</source>
        <translation>Shuffle to start the game</translation>
    </message>
    <message>
        <source>开始游戏＞＞＞</source>
        <translation>The game begins &gt;&gt;&gt;</translation>
    </message>
    <message>
        <source>开局</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>快速</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>总分</source>
        <translation>Total score</translation>
    </message>
    <message>
        <source>憋３限制</source>
        <translation>Threes rule</translation>
    </message>
    <message>
        <source>我方已被抓三户</source>
        <translation>Our side has been swept</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>打印设置</source>
        <translation>Print Setup</translation>
    </message>
    <message>
        <source>托管</source>
        <translation>Auto-play</translation>
    </message>
    <message>
        <source>托管中</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>扣牌</source>
        <translation>Trick taken</translation>
    </message>
    <message>
        <source>扣牌(&amp;O)</source>
        <translation>H&amp;old</translation>
    </message>
    <message>
        <source>扪</source>
        <translation>Smother</translation>
    </message>
    <message>
        <source>按编号发牌</source>
        <translation>Deal by Number</translation>
    </message>
    <message>
        <source>按编号发牌…</source>
        <translation>Deal by &amp;Number…</translation>
    </message>
    <message>
        <source>提示(&amp;I)</source>
        <translation>H&amp;int</translation>
    </message>
    <message>
        <source>提示信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>提示行</source>
        <translation>note lines</translation>
    </message>
    <message>
        <source>提示：扣牌</source>
        <translation>Hint: hold back</translation>
    </message>
    <message>
        <source>提示：过牌</source>
        <translation>Hint: pass</translation>
    </message>
    <message>
        <source>文本在 %1 之前就结束了</source>
        <translation>the text ends before %1</translation>
    </message>
    <message>
        <source>文本在一行的中间结束（被截断了？）</source>
        <translation>the text ends inside a line (cut short?)</translation>
    </message>
    <message>
        <source>文本文件 (*.txt);;所有文件 (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>新游戏(&amp;N)</source>
        <translation>&amp;New Game</translation>
    </message>
    <message>
        <source>新版本保存的牌局（版本 %1），本游戏读取版本 %2</source>
        <translation>a game saved by a newer version (version %1); this game reads version %2</translation>
    </message>
    <message>
        <source>新版本的牌局状态（格式 %1），本游戏读取格式 %2</source>
        <translation>a game state of a newer version (format %1); this game reads format %2</translation>
    </message>
    <message>
        <source>无法写入文件“%1”：%2</source>
        <translation>Cannot write the file “%1”: %2</translation>
    </message>
    <message>
        <source>旧版本保存的牌局（版本 %1），本游戏读取版本 %2</source>
        <translation>a game saved by an older version (version %1); this game reads version %2</translation>
    </message>
    <message>
        <source>旧版本的牌局状态（格式 %1），本游戏读取格式 %2</source>
        <translation>a game state of an older version (format %1); this game reads format %2</translation>
    </message>
    <message>
        <source>显示提示按钮</source>
        <translation>Show Hint Button</translation>
    </message>
    <message>
        <source>显示牌局编号</source>
        <translation>Show Deal Number</translation>
    </message>
    <message>
        <source>最好一盘</source>
        <translation>Best game</translation>
    </message>
    <message>
        <source>最差一盘</source>
        <translation>Worst game</translation>
    </message>
    <message>
        <source>月琴</source>
        <translation>Yue Qin</translation>
    </message>
    <message>
        <source>本局回合过多，已中止</source>
        <translation>Too many rounds in this deal; stopped</translation>
    </message>
    <message>
        <source>柳烟</source>
        <translation>Liu Yan</translation>
    </message>
    <message>
        <source>标准</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>正在打的牌局将被放弃。要按这个编号开始新的牌局吗？</source>
        <translation>The game in progress will be given up. Start a new game from this deal number?</translation>
    </message>
    <message>
        <source>桌上压着的牌是空的</source>
        <translation>the standing play is empty</translation>
    </message>
    <message>
        <source>桌上没有牌却要接牌</source>
        <translation>a seat is asked to follow when no play stands</translation>
    </message>
    <message>
        <source>正常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>没有这个牌局编号</source>
        <translation>There is no such deal number</translation>
    </message>
    <message>
        <source>没轮到玩家却要玩家出牌</source>
        <translation>a human seat is asked to play when it is not its turn</translation>
    </message>
    <message>
        <source>洗牌(&amp;S)</source>
        <translation>&amp;Shuffle</translation>
    </message>
    <message>
        <source>洗牌速度：</source>
        <translation>Dealing speed:</translation>
    </message>
    <message>
        <source>游戏(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>游戏结束</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>游戏规则</source>
        <translation>Game Rules</translation>
    </message>
    <message>
        <source>游戏规则设置</source>
        <translation>Game Rules Settings</translation>
    </message>
    <message>
        <source>点</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>点贡</source>
        <translation>Point tribute</translation>
    </message>
    <message>
        <source>版本 %1
构建 %2，Qt %3</source>
        <translation>Version %1
Built %2, Qt %3</translation>
    </message>
    <message>
        <source>牌局编号 %1</source>
        <translation>Deal no. %1</translation>
    </message>
    <message>
        <source>牌局编号只能由数字组成</source>
        <translation>A deal number has digits only</translation>
    </message>
    <message>
        <source>牌局编号（同一编号发出同样的牌）：</source>
        <translation>Deal number (the same number deals the same cards):</translation>
    </message>
    <message>
        <source>牌局记录</source>
        <translation>Game Record</translation>
    </message>
    <message>
        <source>牌局记录.txt</source>
        <translation>game record.txt</translation>
    </message>
    <message>
        <source>牌背图案</source>
        <translation>Card Back</translation>
    </message>
    <message>
        <source>瑟柯洗牌开始</source>
        <translation>Shuffling</translation>
    </message>
    <message>
        <source>瑟柯牌局 - Tav2004</source>
        <translation>瑟柯牌局 - Tav2004</translation>
    </message>
    <message>
        <source>瑟柯牌局 - 帮助</source>
        <translation>瑟柯牌局 - Help</translation>
    </message>
    <message>
        <source>瑟柯牌局 牌局记录</source>
        <translation>瑟柯牌局 game record</translation>
    </message>
    <message>
        <source>瑟柯牌扣牌</source>
        <translation>Hold back against a challenge</translation>
    </message>
    <message>
        <source>电脑按固定的规则出牌</source>
        <translation>The computer plays by fixed rules</translation>
    </message>
    <message>
        <source>电脑推算别家的牌，为本帮着想</source>
        <translation>The computer reckons the others' cards and plays for its side</translation>
    </message>
    <message>
        <source>电脑替你选牌，再按换下一种出法（I）</source>
        <translation>The computer picks cards for you; press again for the next play (I)</translation>
    </message>
    <message>
        <source>电脑水平</source>
        <translation>Computer level</translation>
    </message>
    <message>
        <source>石坚</source>
        <translation>Shi Jian</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>第 %1 号牌在 %2 处</source>
        <translation>card %1 lies in %2 places</translation>
    </message>
    <message>
        <source>第%1局　编号 %2</source>
        <translation>Deal %1, no. %2</translation>
    </message>
    <message>
        <source>第%1行：%2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>统计</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>统计…</source>
        <translation>Statistics…</translation>
    </message>
    <message>
        <source>统计文件</source>
        <translation>The statistics file</translation>
    </message>
    <message>
        <source>联机帮助</source>
        <translation>Help Contents</translation>
    </message>
    <message>
        <source>联系：tav@example.org</source>
        <translation>Contact: tav@example.org</translation>
    </message>
    <message>
        <source>背景颜色</source>
        <translation>Background Colour</translation>
    </message>
    <message>
        <source>背景颜色设置</source>
        <translation>Background Colour Settings</translation>
    </message>
    <message>
        <source>花月容</source>
        <translation>Hua Yuerong</translation>
    </message>
    <message>
        <source>落</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>行数比牌局状态多</source>
        <translation>more lines than a game state has</translation>
    </message>
    <message>
        <source>要同帮的进贡吗？</source>
        <translation>Take tribute from your own side?</translation>
    </message>
    <message>
        <source>要求的进贡不是给玩家的</source>
        <translation>a tribute is asked that no human seat receives</translation>
    </message>
    <message>
        <source>要求进贡，却没有正在结算的贡</source>
        <translation>a tribute is asked with no tribute being settled</translation>
    </message>
    <message>
        <source>要清除所有的统计吗？</source>
        <translation>Clear all the statistics?</translation>
    </message>
    <message>
        <source>记分加进贡</source>
        <translation>Scores and tributes</translation>
    </message>
    <message>
        <source>记牌器</source>
        <translation>Card Counter</translation>
    </message>
    <message>
        <source>设置(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>设置发牌的间隔时间</source>
        <translation>Set the pause between plays</translation>
    </message>
    <message>
        <source>设置洗牌速度为快速</source>
        <translation>Set the dealing speed to fast</translation>
    </message>
    <message>
        <source>设置洗牌速度为正常</source>
        <translation>Set the dealing speed to normal</translation>
    </message>
    <message>
        <source>请输入牌局编号</source>
        <translation>Please enter a deal number</translation>
    </message>
    <message>
        <source>请选择%1张牌还贡！</source>
        <translation>Pick %1 cards to return as tribute!</translation>
    </message>
    <message>
        <source>请选择一手牌来发牌</source>
        <translation>Pick a hand of cards to play</translation>
    </message>
    <message>
        <source>请钟离云放弃贡</source>
        <translation>Zhongli Yun, please give up the tribute</translation>
    </message>
    <message>
        <source>请钟离云还贡</source>
        <translation>Zhongli Yun, please return tribute</translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation>Follow the System</translation>
    </message>
    <message>
        <source>较早  →  最近</source>
        <translation>Earlier  →  Latest</translation>
    </message>
    <message>
        <source>过牌(&amp;P)</source>
        <translation>&amp;Pass</translation>
    </message>
    <message>
        <source>还扪贡</source>
        <translation>smother tribute returned</translation>
    </message>
    <message>
        <source>还没有打完的局</source>
        <translation>No finished deal yet</translation>
    </message>
    <message>
        <source>还点贡</source>
        <translation>point tribute returned</translation>
    </message>
    <message>
        <source>还牌</source>
        <translation>Return tribute</translation>
    </message>
    <message>
        <source>还牌(&amp;O)</source>
        <translation>Ret&amp;urn</translation>
    </message>
    <message>
        <source>还落贡</source>
        <translation>place tribute returned</translation>
    </message>
    <message>
        <source>牌局状态停在引擎的步骤之间，还有步骤没走完</source>
        <translation>the state stops between the engine's steps: some are still to run</translation>
    </message>
    <message>
        <source>这不是本游戏保存的牌局</source>
        <translation>not a game saved by this program</translation>
    </message>
    <message>
        <source>这里应是 %1</source>
        <translation>%1 was expected here</translation>
    </message>
    <message>
        <source>进扪贡</source>
        <translation>smother tribute</translation>
    </message>
    <message>
        <source>进点贡</source>
        <translation>point tribute</translation>
    </message>
    <message>
        <source>进落贡</source>
        <translation>place tribute</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>退出(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>退出本游戏</source>
        <translation>Quit this game</translation>
    </message>
    <message>
        <source>重新启动后生效</source>
        <translation>Takes effect after restart</translation>
    </message>
    <message>
        <source>重置统计</source>
        <translation>Reset Statistics</translation>
    </message>
    <message>
        <source>钟离云</source>
        <translation>Zhongli Yun</translation>
    </message>
    <message>
        <source>钟离云的名次（每局）</source>
        <translation>Zhongli Yun's places (each deal)</translation>
    </message>
    <message>
        <source>钟离云的得分（最近%1盘）</source>
        <translation>Zhongli Yun's scores (last %1 games)</translation>
    </message>
    <message>
        <source>钟离云请发牌</source>
        <translation>Zhongli Yun: lead</translation>
    </message>
    <message>
        <source>钟离云请接牌或扣牌</source>
        <translation>Zhongli Yun: follow or hold back</translation>
    </message>
    <message>
        <source>钟离云请接牌或过牌</source>
        <translation>Zhongli Yun: follow or pass</translation>
    </message>
    <message>
        <source>钱</source>
        <translation>2</translation>
    </message>
    <message>
        <source>雷虎</source>
        <translation>Lei Hu</translation>
    </message>
    <message>
        <source>高手</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>%1（1 至 %2，末三位不能都是 0）</source>
        <translation>%1 (1 to %2; the last three digits may not all be 0)</translation>
    </message>
    <message>
        <source>，瑟柯牌</source>
        <translation>, challenge</translation>
    </message>
    <message>
        <source>；开始新的牌局</source>
        <translation>; a new game starts</translation>
    </message>
    <message>
        <source>；统计从零开始</source>
        <translation>; the statistics start from zero</translation>
    </message>
    <message>
        <source>＞＞＞请先洗牌</source>
        <translation>&gt;&gt;&gt; Shuffle first</translation>
    </message>
    <message>
        <source>这不是一个普通文件</source>
        <translation>it is not a plain file</translation>
    </message>
    <message>
        <source>文件太大</source>
        <translation>the file is too big</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>磁盘已满</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>无法写入磁盘</source>
        <translation>it could not be written to the disk</translation>
    </message>
    <message>
        <source>设置文件 %1 不是普通文件，没有读取。本次使用原始设置，设置也不会保存。</source>
        <translation>The settings file %1 is not a plain file and was not read. This run uses the original settings, and the settings are not saved.</translation>
    </message>
    <message>
        <source>无法写入 %1</source>
        <translation>%1 cannot be written</translation>
    </message>
    <message>
        <source>瑟柯牌局已经打开了。这个窗口中的牌局不会保存，统计也不会记录。</source>
        <translation>The game is already open. The game in this window is not saved, and its deals are not counted in the statistics.</translation>
    </message>
    <message>
        <source>牌局无法保存：%1。游戏继续，之前保存的牌局保持不变。</source>
        <translation>The game could not be saved: %1. Play goes on; the game saved before is left as it was.</translation>
    </message>
    <message>
        <source>统计无法保存：%1。游戏继续。</source>
        <translation>The statistics could not be saved: %1. Play goes on.</translation>
    </message>
    <message>
        <source>设置无法保存：%1。</source>
        <translation>The settings could not be saved: %1.</translation>
    </message>
    <message>
        <source>这个文件无法改名，本次运行不会写入它，以免覆盖。</source>
        <translation>The file could not be renamed; it is not written this run, so nothing overwrites it.</translation>
    </message>
    <message>
        <source>%1（第%2行）</source>
        <translation>%1 (line %2)</translation>
    </message>
    <message>
        <source>最后一行只写了一半，无法去掉</source>
        <translation>the last line was only half written and could not be cut off</translation>
    </message>
    <message>
        <source>不是本程序的统计文件</source>
        <translation>not a statistics file of this program</translation>
    </message>
    <message>
        <source>统计文件的版本号已损坏</source>
        <translation>the statistics' version is damaged</translation>
    </message>
    <message>
        <source>统计文件来自另一个版本的程序</source>
        <translation>the statistics come from another version of the program</translation>
    </message>
    <message>
        <source>统计文件不完整（缺少结束行）</source>
        <translation>the statistics are cut short (no end line)</translation>
    </message>
    <message>
        <source>统计文件中有一行不是一盘的记录</source>
        <translation>a line of the statistics is not a deal</translation>
    </message>
    <message>
        <source>统计文件中有一行已损坏</source>
        <translation>a line of the statistics is damaged</translation>
    </message>
    <message>
        <source>统计文件中有一行的名次重复</source>
        <translation>a line of the statistics gives a place twice</translation>
    </message>
    <message>
        <source>统计文件在结束行之后还有内容</source>
        <translation>the statistics go on after their end line</translation>
    </message>
    <message>
        <source>现在没有要做的决定</source>
        <translation>There is no decision to make now</translation>
    </message>
    <message>
        <source>还没轮到这个座位</source>
        <translation>It is not this seat's turn</translation>
    </message>
    <message>
        <source>请先洗牌</source>
        <translation>Shuffle first</translation>
    </message>
    <message>
        <source>这一步不出牌</source>
        <translation>No cards go in this step</translation>
    </message>
    <message>
        <source>该你出牌，不能过牌</source>
        <translation>It is your lead: you cannot pass</translation>
    </message>
    <message>
        <source>该你出牌</source>
        <translation>It is your turn to play cards</translation>
    </message>
    <message>
        <source>请先选牌</source>
        <translation>Pick cards first</translation>
    </message>
    <message>
        <source>没有这张牌</source>
        <translation>There is no such card</translation>
    </message>
    <message>
        <source>这张牌不在手中</source>
        <translation>That card is not in the hand</translation>
    </message>
    <message>
        <source>一张牌选了两次</source>
        <translation>A card is picked twice</translation>
    </message>
    <message>
        <source>一手牌只能有一种点数（王和2除外）</source>
        <translation>A play holds one rank only (jokers and 2s aside)</translation>
    </message>
    <message>
        <source>手中还有别的牌，３不能出</source>
        <translation>The hand still holds other cards: a 3 cannot be played</translation>
    </message>
    <message>
        <source>手中还有别的牌，３不能还</source>
        <translation>The hand still holds other cards: a 3 cannot be returned</translation>
    </message>
    <message>
        <source>出牌张数不对</source>
        <translation>The play has the wrong number of cards</translation>
    </message>
    <message>
        <source>压不过桌上的牌</source>
        <translation>That does not beat the cards on the table</translation>
    </message>
    <message>
        <source>没有瑟柯牌，不能扣牌</source>
        <translation>There is no challenge: you cannot hold back</translation>
    </message>
    <message>
        <source>瑟柯牌只能接牌或扣牌</source>
        <translation>A challenge can only be followed or held back against</translation>
    </message>
    <message>
        <source>请先还贡</source>
        <translation>Return the tribute first</translation>
    </message>
    <message>
        <source>请回答要不要同帮的进贡</source>
        <translation>Answer first whether to take tribute from your own side</translation>
    </message>
    <message>
        <source>洗牌须是整副牌</source>
        <translation>A shuffle must be the whole pack</translation>
    </message>
    <message>
        <source>柳烟请发牌</source>
        <translation>Liu Yan: lead</translation>
    </message>
    <message>
        <source>柳烟请接牌或扣牌</source>
        <translation>Liu Yan: follow or hold back</translation>
    </message>
    <message>
        <source>柳烟请接牌或过牌</source>
        <translation>Liu Yan: follow or pass</translation>
    </message>
    <message>
        <source>请柳烟还贡</source>
        <translation>Liu Yan, please return tribute</translation>
    </message>
    <message>
        <source>请柳烟放弃贡</source>
        <translation>Liu Yan, please give up the tribute</translation>
    </message>
    <message>
        <source>石坚请发牌</source>
        <translation>Shi Jian: lead</translation>
    </message>
    <message>
        <source>石坚请接牌或扣牌</source>
        <translation>Shi Jian: follow or hold back</translation>
    </message>
    <message>
        <source>石坚请接牌或过牌</source>
        <translation>Shi Jian: follow or pass</translation>
    </message>
    <message>
        <source>请石坚还贡</source>
        <translation>Shi Jian, please return tribute</translation>
    </message>
    <message>
        <source>请石坚放弃贡</source>
        <translation>Shi Jian, please give up the tribute</translation>
    </message>
    <message>
        <source>花月容请发牌</source>
        <translation>Hua Yuerong: lead</translation>
    </message>
    <message>
        <source>花月容请接牌或扣牌</source>
        <translation>Hua Yuerong: follow or hold back</translation>
    </message>
    <message>
        <source>花月容请接牌或过牌</source>
        <translation>Hua Yuerong: follow or pass</translation>
    </message>
    <message>
        <source>请花月容还贡</source>
        <translation>Hua Yuerong, please return tribute</translation>
    </message>
    <message>
        <source>请花月容放弃贡</source>
        <translation>Hua Yuerong, please give up the tribute</translation>
    </message>
    <message>
        <source>雷虎请发牌</source>
        <translation>Lei Hu: lead</translation>
    </message>
    <message>
        <source>雷虎请接牌或扣牌</source>
        <translation>Lei Hu: follow or hold back</translation>
    </message>
    <message>
        <source>雷虎请接牌或过牌</source>
        <translation>Lei Hu: follow or pass</translation>
    </message>
    <message>
        <source>请雷虎还贡</source>
        <translation>Lei Hu, please return tribute</translation>
    </message>
    <message>
        <source>请雷虎放弃贡</source>
        <translation>Lei Hu, please give up the tribute</translation>
    </message>
    <message>
        <source>月琴请发牌</source>
        <translation>Yue Qin: lead</translation>
    </message>
    <message>
        <source>月琴请接牌或扣牌</source>
        <translation>Yue Qin: follow or hold back</translation>
    </message>
    <message>
        <source>月琴请接牌或过牌</source>
        <translation>Yue Qin: follow or pass</translation>
    </message>
    <message>
        <source>请月琴还贡</source>
        <translation>Yue Qin, please return tribute</translation>
    </message>
    <message>
        <source>请月琴放弃贡</source>
        <translation>Yue Qin, please give up the tribute</translation>
    </message>
    <message>
        <source>牌桌已关闭</source>
        <translation>The table is closed</translation>
    </message>
    <message>
        <source>没有这个座位</source>
        <translation>There is no such seat</translation>
    </message>
    <message>
        <source>你已有座位</source>
        <translation>You already hold a seat</translation>
    </message>
    <message>
        <source>这个座位已有人</source>
        <translation>That seat is taken</translation>
    </message>
    <message>
        <source>你已在牌桌上</source>
        <translation>You are already at the table</translation>
    </message>
    <message>
        <source>旁观的人已满</source>
        <translation>There is no room for more spectators</translation>
    </message>
    <message>
        <source>你不在牌桌上</source>
        <translation>You are not at the table</translation>
    </message>
    <message>
        <source>凭证不对，回不到座位</source>
        <translation>That token brings you back to no seat</translation>
    </message>
    <message>
        <source>回到座位的次数已满</source>
        <translation>This seat has come back too often</translation>
    </message>
    <message>
        <source>只有开桌的人可以开始</source>
        <translation>Only the host may start the game</translation>
    </message>
    <message>
        <source>牌局已经开始</source>
        <translation>The game has already started</translation>
    </message>
    <message>
        <source>牌局还没开始</source>
        <translation>The game has not started yet</translation>
    </message>
    <message>
        <source>你没有座位</source>
        <translation>You hold no seat</translation>
    </message>
    <message>
        <source>牌局已往下走，请按现在的牌面再出</source>
        <translation>The game has moved on: decide again from the table as it is now</translation>
    </message>
    <message>
        <source>你从下一局起出牌</source>
        <translation>You play from the next deal on</translation>
    </message>
    <message>
        <source>还没轮到你</source>
        <translation>It is not your turn</translation>
    </message>
    <message>
        <source>洗牌由牌桌来做，不能送来一副牌</source>
        <translation>The table shuffles: a player may not send a pack</translation>
    </message>
    <message>
        <source>请输入名字</source>
        <translation>Please enter a name</translation>
    </message>
    <message>
        <source>名字太长</source>
        <translation>The name is too long</translation>
    </message>
    <message>
        <source>名字里不能有控制字符</source>
        <translation>A name may not hold control characters</translation>
    </message>
    <message>
        <source>名字须是UTF-8文字</source>
        <translation>A name must be UTF-8 text</translation>
    </message>
    <message>
        <source>没有这个电脑级别</source>
        <translation>There is no such computer level</translation>
    </message>
    <message>
        <source>每步时间须在0到600秒之间</source>
        <translation>The time per decision must be 0 to 600 seconds</translation>
    </message>
    <message>
        <source>服务器上的牌桌已满，请稍后再开</source>
        <translation>The server holds as many tables as it can; please try again later</translation>
    </message>
    <message>
        <source>服务器发来了无法读取的消息。</source>
        <translation>The server sent a message this program cannot read.</translation>
    </message>
    <message>
        <source>网络连接出错：%1</source>
        <translation>Network error: %1</translation>
    </message>
    <message>
        <source>服务器的协议版本与本程序不同。</source>
        <translation>The server speaks another version of the protocol than this program.</translation>
    </message>
    <message>
        <source>没有这个代码的牌桌。</source>
        <translation>There is no table with this code.</translation>
    </message>
    <message>
        <source>消息发得太快了，请稍候。</source>
        <translation>Messages are being sent too fast; please wait a moment.</translation>
    </message>
    <message>
        <source>服务器拒绝了本程序的消息：%1</source>
        <translation>The server refused this program's message: %1</translation>
    </message>
    <message>
        <source>牌桌已经变了，请重新出牌。</source>
        <translation>The table has moved on; please decide again.</translation>
    </message>
    <message>
        <source>说点什么，按回车发送</source>
        <translation>Say something, Enter sends it</translation>
    </message>
    <message>
        <source>屏蔽</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>不看某个座位的聊天</source>
        <translation>Hide the chat of a seat</translation>
    </message>
    <message>
        <source>开一桌</source>
        <translation>Host a table</translation>
    </message>
    <message>
        <source>不限</source>
        <translation>No limit</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>规则</source>
        <translation>Rules</translation>
    </message>
    <message>
        <source>你的名字：</source>
        <translation>Your name:</translation>
    </message>
    <message>
        <source>每步时限：</source>
        <translation>Time per decision:</translation>
    </message>
    <message>
        <source>端口：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>本机所有网络地址都接受连接，同一局域网的朋友可以加入。</source>
        <translation>Every network address of this computer accepts players: friends on the same network can join.</translation>
    </message>
    <message>
        <source>加入牌桌</source>
        <translation>Join a table</translation>
    </message>
    <message>
        <source>地址：</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>牌桌代码：</source>
        <translation>Table code:</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>牌桌</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>地址：%1</source>
        <translation>Address: %1</translation>
    </message>
    <message>
        <source>浏览器：%1</source>
        <translation>In a browser: %1</translation>
    </message>
    <message>
        <source>牌桌代码：%1</source>
        <translation>Table code: %1</translation>
    </message>
    <message>
        <source>空位（电脑）</source>
        <translation>Open (computer)</translation>
    </message>
    <message>
        <source>电脑</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>%1（掉线，电脑代打）</source>
        <translation>%1 (dropped, the computer plays)</translation>
    </message>
    <message>
        <source>这个地址无法使用。</source>
        <translation>This address cannot be used.</translation>
    </message>
    <message>
        <source>无法在本机开桌：%1</source>
        <translation>Cannot host a table here: %1</translation>
    </message>
    <message>
        <source>连接断开了，正在重新连接……</source>
        <translation>The connection was lost; connecting again…</translation>
    </message>
    <message>
        <source>已重新连接。</source>
        <translation>Connected again.</translation>
    </message>
    <message>
        <source>无法重新连接到牌桌。</source>
        <translation>Could not connect to the table again.</translation>
    </message>
    <message>
        <source>坐这里</source>
        <translation>Sit here</translation>
    </message>
    <message>
        <source>聊天</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>联机</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>开一桌…</source>
        <translation>Host a Table…</translation>
    </message>
    <message>
        <source>加入…</source>
        <translation>Join…</translation>
    </message>
    <message>
        <source>离开牌桌</source>
        <translation>Leave the Table</translation>
    </message>
    <message>
        <source>代打</source>
        <translation>Computer</translation>
    </message>
</context>
</TS>
