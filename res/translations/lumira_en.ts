<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>controls</name>
    <message>
        <source>%1（選択中の桁: %2）</source>
        <translation>%1 (selected digit: %2)</translation>
    </message>
</context>
<context>
    <name>dialogs</name>
    <message>
        <source>日付が100000万年を超えています。</source>
        <translation>The date is beyond the year 100000.</translation>
    </message>
</context>
<context>
    <name>framework</name>
    <message>
        <source>整数を入力してください。</source>
        <translation>Enter a whole number.</translation>
    </message>
</context>
<context>
    <name>pad</name>
    <message>
        <source>ﾙﾐﾗﾊﾟｯﾄﾞ</source>
        <translation>Lumira pad</translation>
    </message>
    <message>
        <source>限界等級</source>
        <translation>Limiting magnitude</translation>
    </message>
    <message>
        <source>経緯度</source>
        <translation>Longitude and latitude</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>時刻系</source>
        <translation>Time system</translation>
    </message>
    <message>
        <source>月齢</source>
        <translation>Moon's age</translation>
    </message>
    <message>
        <source>日時入力</source>
        <translation>Enter the date and time</translation>
    </message>
    <message>
        <source>経緯度入力</source>
        <translation>Enter the longitude and latitude</translation>
    </message>
    <message>
        <source>↑ と ↓ で選択した桁を増減、← と → で桁を移動、Tab で表示を移動、Enter で入力ダイアログ、Esc で選択を解除</source>
        <translation>Up and Down step the selected digit, Left and Right move between the digits, Tab moves to the next display, Enter opens its entry dialog, Esc clears the selection</translation>
    </message>
    <message>
        <source>0/秒</source>
        <translation>0/s</translation>
    </message>
    <message>
        <source>%1秒/秒</source>
        <translation>%1 s/s</translation>
    </message>
    <message>
        <source>%1%2/秒</source>
        <translation>%1 %2/s</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>時</source>
        <translation>h</translation>
    </message>
    <message>
        <source>日</source>
        <translation>d</translation>
    </message>
    <message>
        <source>恒星日</source>
        <translation>sidereal d</translation>
    </message>
    <message>
        <source>年</source>
        <translation>yr</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>resources</name>
    <message>
        <source>紀元前</source>
        <translation>BC</translation>
    </message>
    <message>
        <source>西暦</source>
        <translation>AD</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>月</source>
        <translation>M</translation>
    </message>
    <message>
        <source>日</source>
        <translation>D</translation>
    </message>
    <message>
        <source>時</source>
        <translation>h</translation>
    </message>
    <message>
        <source>分</source>
        <translation>m</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>東経</source>
        <translation>E</translation>
    </message>
    <message>
        <source>西経</source>
        <translation>W</translation>
    </message>
    <message>
        <source>北緯</source>
        <translation>N</translation>
    </message>
    <message>
        <source>南緯</source>
        <translation>S</translation>
    </message>
    <message>
        <source>度</source>
        <translation>d</translation>
    </message>
    <message>
        <source>現在の日時を表示します</source>
        <translation>Shows the current date and time</translation>
    </message>
    <message>
        <source>観測地の経緯度を表示します</source>
        <translation>Shows the observer's longitude and latitude</translation>
    </message>
    <message>
        <source>現在の限界等級を表示します</source>
        <translation>Shows the current limiting magnitude</translation>
    </message>
    <message>
        <source>現在の月齢を表示します。</source>
        <translation>Shows the Moon's age.</translation>
    </message>
    <message>
        <source>日付パッドで日時を変更します</source>
        <translation>Changes the date and time in the date pad</translation>
    </message>
    <message>
        <source>場所パッドで場所を変更します</source>
        <translation>Changes the place in the place pad</translation>
    </message>
    <message>
        <source>紀元前(BC)／紀元後(AD)を表示します</source>
        <translation>Shows whether the year is BC or AD</translation>
    </message>
    <message>
        <source>時刻系を変更します</source>
        <translation>Changes the time system</translation>
    </message>
    <message>
        <source>時刻系を変更します。</source>
        <translation>Changes the time system.</translation>
    </message>
    <message>
        <source>&quot;時刻の固定(日時ダイアログ)&quot;を解除してアニメーションを開始します。</source>
        <translation>Turn off &quot;Lock the time (date and time dialog)&quot; and start the animation?</translation>
    </message>
    <message>
        <source>&quot;時刻の固定(日時ダイアログ)&quot;を解除して時間を変更します。</source>
        <translation>Turn off &quot;Lock the time (date and time dialog)&quot; and change the time?</translation>
    </message>
    <message>
        <source>日時の日には 1 から 31 までの値を入力してください。</source>
        <translation>Enter a day from 1 to 31.</translation>
    </message>
    <message>
        <source>日時の時には 0 から 30 までの値を入力してください。</source>
        <translation>Enter an hour from 0 to 30.</translation>
    </message>
    <message>
        <source>日時の分には 0 から 59 までの値を入力してください。</source>
        <translation>Enter a minute from 0 to 59.</translation>
    </message>
    <message>
        <source>日時の月には 1 から 12 までの値を入力してください。</source>
        <translation>Enter a month from 1 to 12.</translation>
    </message>
    <message>
        <source>日時の秒には 0 から 59 までの値を入力してください。</source>
        <translation>Enter a second from 0 to 59.</translation>
    </message>
    <message>
        <source>日時の年には 紀元前 99999 から西暦 99999 までの値を入力してください。</source>
        <translation>Enter a year from 99999 BC to AD 99999.</translation>
    </message>
    <message>
        <source>経度の度には 0 から 180 までの値を入力してください。</source>
        <translation>Enter the longitude's degrees from 0 to 180.</translation>
    </message>
    <message>
        <source>緯度の度には 0 から 90 までの値を入力してください。</source>
        <translation>Enter the latitude's degrees from 0 to 90.</translation>
    </message>
    <message>
        <source>経度の分には 0 から 59.9 までの値を入力してください。</source>
        <translation>Enter the longitude's minutes from 0 to 59.9.</translation>
    </message>
    <message>
        <source>緯度の分には 0 から 59.9 までの値を入力してください。</source>
        <translation>Enter the latitude's minutes from 0 to 59.9.</translation>
    </message>
    <message>
        <source>実数を入力してください。</source>
        <translation>Enter a real number.</translation>
    </message>
</context>
<context>
    <name>timesys</name>
    <message>
        <source>日本時</source>
        <translation>Japan Standard Time</translation>
    </message>
    <message>
        <source>世界時</source>
        <translation>Universal Time</translation>
    </message>
    <message>
        <source>世界時(日)</source>
        <translation>Universal Time (days)</translation>
    </message>
    <message>
        <source>地方標準時</source>
        <translation>Local Standard Time</translation>
    </message>
    <message>
        <source>地方平時</source>
        <translation>Local Mean Time</translation>
    </message>
    <message>
        <source>ﾕﾘｳｽ日</source>
        <translation>Julian Day</translation>
    </message>
    <message>
        <source>準ﾕﾘｳｽ日</source>
        <translation>Modified Julian Day</translation>
    </message>
    <message>
        <source>恒星時</source>
        <translation>Sidereal Time</translation>
    </message>
    <message>
        <source>日本時</source>
        <comment>list</comment>
        <translation>Japan time</translation>
    </message>
    <message>
        <source>世界時</source>
        <comment>list</comment>
        <translation>Universal</translation>
    </message>
    <message>
        <source>世界時(日)</source>
        <comment>list</comment>
        <translation>UT decimal</translation>
    </message>
    <message>
        <source>地方標準時</source>
        <comment>list</comment>
        <translation>Zone time</translation>
    </message>
    <message>
        <source>地方平時</source>
        <comment>list</comment>
        <translation>Mean time</translation>
    </message>
    <message>
        <source>ﾕﾘｳｽ日</source>
        <comment>list</comment>
        <translation>Julian day</translation>
    </message>
    <message>
        <source>準ﾕﾘｳｽ日</source>
        <comment>list</comment>
        <translation>Mod. Julian</translation>
    </message>
</context>
</TS>
