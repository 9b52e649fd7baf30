<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CanvasMessages</name>
    <message>
        <source>Playing</source>
        <translation>再生中</translation>
    </message>
    <message>
        <source>Cell %d  picture %d  pattern %d
Position %d, %d
Scale %d%%, %d%%
Angle %d  opacity %d
Tone 0x%08x</source>
        <translation>セル %d  画像 %d  パターン %d
位置 %d, %d
拡大率 %d%%, %d%%
角度 %d  不透明度 %d
色調 0x%08x</translation>
    </message>
    <message>
        <source>%d,%d</source>
        <translation>%d,%d</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>フレーム</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>グリッド</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>実行</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Target picture</source>
        <translation>対象画像</translation>
    </message>
    <message>
        <source>GIF draft</source>
        <translation>GIF 下書き</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Position x, y</source>
        <translation>位置 x, y</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>不透明度</translation>
    </message>
    <message>
        <source>Frame speed (%)</source>
        <translation>フレーム速度 (%)</translation>
    </message>
    <message>
        <source>Start frame</source>
        <translation>開始フレーム</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>Scale (%)</source>
        <translation>拡大率 (%)</translation>
    </message>
    <message>
        <source>The GIF could not be read: %s
%s</source>
        <translation>GIF を読み込めませんでした: %s
%s</translation>
    </message>
    <message>
        <source>Pictures (*.png *.bmp *.gif *.xyz)</source>
        <translation>画像 (*.png *.bmp *.gif *.xyz)</translation>
    </message>
    <message>
        <source>GIF animations (*.gif)</source>
        <translation>GIF アニメ (*.gif)</translation>
    </message>
    <message>
        <source>Playing on the actor side</source>
        <translation>アクター側で再生中</translation>
    </message>
    <message>
        <source>Actor side (mirrored preview; drag cells in the normal view)</source>
        <translation>アクター側 (左右反転の表示。セルの移動は通常の表示で)</translation>
    </message>
</context>
<context>
    <name>ChoiceLists</name>
    <message>
        <source>Centre,Whole screen,Bottom,Top,Right,Left</source>
        <translation>中心,画面全体,下,上,右,左</translation>
    </message>
    <message>
        <source>Binary (.dat),Text (.txt)</source>
        <translation>バイナリ (.dat),テキスト (.txt)</translation>
    </message>
    <message>
        <source>By number of patterns,By pattern size</source>
        <translation>パターン数で指定,パターンサイズで指定</translation>
    </message>
    <message>
        <source>Free,No rotation or scaling,Width follows height,Same width and height,No rotation</source>
        <translation>制限なし,回転・拡大なし,幅は高さに合わせる,幅と高さを同じに,回転なし</translation>
    </message>
    <message>
        <source>Picture&apos;s alpha,Palette index 0,Top-left pixel,Black,Automatic</source>
        <translation>画像のアルファ値,パレット番号 0,左上の 1 ドット,黒,自動</translation>
    </message>
    <message>
        <source>Everything,Everything but picture and pattern,Everything but picture and pattern and colour</source>
        <translation>すべて,画像とパターン以外,画像とパターンと色調以外</translation>
    </message>
    <message>
        <source>60 fps,55 fps,40 fps,30 fps,20 fps,15 fps,10 fps</source>
        <translation>60 fps,55 fps,40 fps,30 fps,20 fps,15 fps,10 fps</translation>
    </message>
    <message>
        <source>Start to end,Every pair of key cells from start,Only frames that have the cell</source>
        <translation>開始から終了まで,開始以降のセルの間すべて,セルのあるフレームだけ</translation>
    </message>
    <message>
        <source>Screen,Target</source>
        <translation>画面,対象</translation>
    </message>
    <message>
        <source>Normal,Add,Subtract,Multiply</source>
        <translation>通常,加算,減算,乗算</translation>
    </message>
    <message>
        <source>Normal,Mirrored</source>
        <translation>通常,左右反転</translation>
    </message>
    <message>
        <source>Set to (=),Add (+=),Percent of (*= v/100)</source>
        <translation>代入 (=),加算 (+=),割合 (*= v/100)</translation>
    </message>
    <message>
        <source>Linear,Ease in,Ease out,Ease in-out,Curve</source>
        <translation>リニア,イーズイン,イーズアウト,イーズインアウト,カーブ</translation>
    </message>
</context>
<context>
    <name>DialogTexts</name>
    <message>
        <source>Lock cell numbers to pictures</source>
        <translation>セル番号と画像の固定</translation>
    </message>
    <message>
        <source>Tween</source>
        <translation>中間補完</translation>
    </message>
    <message>
        <source>Batch edit</source>
        <translation>一括編集</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>間隔</translation>
    </message>
    <message>
        <source>Export PNG</source>
        <translation>PNG 出力</translation>
    </message>
    <message>
        <source>Working (%d of %d)</source>
        <translation>処理中 (%d / %d)</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>Stopped before the end</source>
        <translation>途中で中止しました</translation>
    </message>
    <message>
        <source>Export finished</source>
        <translation>出力が完了しました</translation>
    </message>
    <message>
        <source>The picture could not be written.
%s
%s</source>
        <translation>画像を書き込めませんでした。
%s
%s</translation>
    </message>
    <message>
        <source>Export failed: %s</source>
        <translation>出力に失敗しました: %s</translation>
    </message>
    <message>
        <source>Cannot export: %s</source>
        <translation>出力できません: %s</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG 画像 (*.png)</translation>
    </message>
    <message>
        <source>GIF animations (*.gif)</source>
        <translation>GIF アニメ (*.gif)</translation>
    </message>
    <message>
        <source>Paste into cell number</source>
        <translation>貼り付け先のセル番号</translation>
    </message>
    <message>
        <source>New cell at cell number</source>
        <translation>新規セルのセル番号</translation>
    </message>
    <message>
        <source>Shift or Ctrl + click
selects several</source>
        <translation>Shift か Ctrl + クリックで
複数選択</translation>
    </message>
    <message>
        <source>Export animation</source>
        <translation>アニメーション出力</translation>
    </message>
    <message>
        <source>Animated PNG pictures (*.png)</source>
        <translation>PNG アニメ (*.png)</translation>
    </message>
    <message>
        <source>WebP animations (*.webp)</source>
        <translation>WebP アニメ (*.webp)</translation>
    </message>
</context>
<context>
    <name>DocumentMessages</name>
    <message>
        <source>The command could not be carried out (%02d:%02d)</source>
        <translation>コマンドを実行できませんでした (%02d:%02d)</translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>元に戻す操作はありません</translation>
    </message>
    <message>
        <source>Nothing to redo</source>
        <translation>やり直す操作はありません</translation>
    </message>
    <message>
        <source>The frames were found damaged and have been repaired.
The undo history has been cleared.</source>
        <translation>フレームの破損が見つかったため修復しました。
元に戻す履歴は消去されました。</translation>
    </message>
    <message>
        <source>Frame %d inserted</source>
        <translation>フレーム %d を挿入しました</translation>
    </message>
    <message>
        <source>Frame %d deleted</source>
        <translation>フレーム %d を削除しました</translation>
    </message>
    <message>
        <source>Frame %d cleared</source>
        <translation>フレーム %d をクリアしました</translation>
    </message>
    <message>
        <source>Frame %d copied to frame %d</source>
        <translation>フレーム %d をフレーム %d にコピーしました</translation>
    </message>
    <message>
        <source>Frame %d filled in from the frames before and after</source>
        <translation>フレーム %d を前後のフレームから補完しました</translation>
    </message>
    <message>
        <source>Deleted: %d</source>
        <translation>削除: %d</translation>
    </message>
    <message>
        <source>Cleared: %d</source>
        <translation>クリア: %d</translation>
    </message>
    <message>
        <source>Filled in from the frames before and after: %d</source>
        <translation>前後のフレームから補完: %d</translation>
    </message>
    <message>
        <source>Copied: %d</source>
        <translation>コピー: %d</translation>
    </message>
    <message>
        <source>Cut: %d</source>
        <translation>切り取り: %d</translation>
    </message>
    <message>
        <source>Pasted: %d</source>
        <translation>貼り付け: %d</translation>
    </message>
    <message>
        <source>Brought to the front: %d</source>
        <translation>最前面へ移動: %d</translation>
    </message>
    <message>
        <source>Sent to the back: %d</source>
        <translation>最背面へ移動: %d</translation>
    </message>
    <message>
        <source>1 effect was not saved: the text format cannot hold an effect whose start frame is at or after the frame count (%d)</source>
        <translation>1 個のタイミングを保存できませんでした: テキスト形式では、開始フレームがフレーム数 (%d) 以降のタイミングを保存できません</translation>
    </message>
    <message>
        <source>%d effects were not saved: the text format cannot hold an effect whose start frame is at or after the frame count (%d)</source>
        <translation>%d 個のタイミングを保存できませんでした: テキスト形式では、開始フレームがフレーム数 (%d) 以降のタイミングを保存できません</translation>
    </message>
    <message>
        <source>1 text was shortened: a saved text keeps at most 255 bytes, up to its first zero byte (in the text format also up to its first line break)</source>
        <translation>1 個の文字列を短くしました: 保存できる文字列は 255 バイトまでで、最初のゼロバイトの手前まで (テキスト形式では最初の改行の手前まで) です</translation>
    </message>
    <message>
        <source>%d texts were shortened: a saved text keeps at most 255 bytes, up to its first zero byte (in the text format also up to its first line break)</source>
        <translation>%d 個の文字列を短くしました: 保存できる文字列は 255 バイトまでで、最初のゼロバイトの手前まで (テキスト形式では最初の改行の手前まで) です</translation>
    </message>
    <message>
        <source>Undone: %s</source>
        <translation>元に戻しました: %s</translation>
    </message>
    <message>
        <source>Redone: %s</source>
        <translation>やり直しました: %s</translation>
    </message>
    <message>
        <source>Undo %s</source>
        <translation>元に戻す: %s</translation>
    </message>
    <message>
        <source>Redo %s</source>
        <translation>やり直し: %s</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直し</translation>
    </message>
    <message>
        <source>The animation already has %d frames</source>
        <translation>アニメーションはすでに %d フレームあります</translation>
    </message>
    <message>
        <source>Tween on frames %d to %d: %d cells changed</source>
        <translation>フレーム %d ～ %d を中間補完: %d 個のセルを変更しました</translation>
    </message>
    <message>
        <source>Spline curve: %d cells changed</source>
        <translation>スプライン曲線: %d 個のセルを変更しました</translation>
    </message>
    <message>
        <source>Batch edit: %d cells changed</source>
        <translation>一括編集: %d 個のセルを変更しました</translation>
    </message>
    <message>
        <source>Frames %d to %d: interval set to %d</source>
        <translation>フレーム %d ～ %d: 間隔を %d に設定しました</translation>
    </message>
    <message>
        <source>Insert frame %d</source>
        <translation>フレーム %d を挿入</translation>
    </message>
    <message>
        <source>Insert %d frames at frame %d</source>
        <translation>%d フレームをフレーム %d に挿入</translation>
    </message>
    <message>
        <source>Delete frame %d</source>
        <translation>フレーム %d を削除</translation>
    </message>
    <message>
        <source>Delete frames %d to %d</source>
        <translation>フレーム %d ～ %d を削除</translation>
    </message>
    <message>
        <source>Clear frame %d</source>
        <translation>フレーム %d をクリア</translation>
    </message>
    <message>
        <source>Clear frames %d to %d</source>
        <translation>フレーム %d ～ %d をクリア</translation>
    </message>
    <message>
        <source>Copy frame %d to frame %d</source>
        <translation>フレーム %d をフレーム %d にコピー</translation>
    </message>
    <message>
        <source>Fill in frame %d</source>
        <translation>フレーム %d を補完</translation>
    </message>
    <message>
        <source>Fill in %d cells</source>
        <translation>%d 個のセルを補完</translation>
    </message>
    <message>
        <source>Fill in 1 cell</source>
        <translation>1 個のセルを補完</translation>
    </message>
    <message>
        <source>Delete %d cells</source>
        <translation>%d 個のセルを削除</translation>
    </message>
    <message>
        <source>Delete 1 cell</source>
        <translation>1 個のセルを削除</translation>
    </message>
    <message>
        <source>Cut %d cells</source>
        <translation>%d 個のセルを切り取り</translation>
    </message>
    <message>
        <source>Cut 1 cell</source>
        <translation>1 個のセルを切り取り</translation>
    </message>
    <message>
        <source>Paste %d cells</source>
        <translation>%d 個のセルを貼り付け</translation>
    </message>
    <message>
        <source>Paste 1 cell</source>
        <translation>1 個のセルを貼り付け</translation>
    </message>
    <message>
        <source>Bring %d cells to the front</source>
        <translation>%d 個のセルを最前面へ</translation>
    </message>
    <message>
        <source>Bring 1 cell to the front</source>
        <translation>1 個のセルを最前面へ</translation>
    </message>
    <message>
        <source>Send %d cells to the back</source>
        <translation>%d 個のセルを最背面へ</translation>
    </message>
    <message>
        <source>Send 1 cell to the back</source>
        <translation>1 個のセルを最背面へ</translation>
    </message>
    <message>
        <source>Move %d cells</source>
        <translation>%d 個のセルを移動</translation>
    </message>
    <message>
        <source>Move 1 cell</source>
        <translation>1 個のセルを移動</translation>
    </message>
    <message>
        <source>Rotate %d cells</source>
        <translation>%d 個のセルを回転</translation>
    </message>
    <message>
        <source>Rotate 1 cell</source>
        <translation>1 個のセルを回転</translation>
    </message>
    <message>
        <source>Scale %d cells</source>
        <translation>%d 個のセルを拡大縮小</translation>
    </message>
    <message>
        <source>Scale 1 cell</source>
        <translation>1 個のセルを拡大縮小</translation>
    </message>
    <message>
        <source>New cell %d on frame %d</source>
        <translation>新規セル %d (フレーム %d)</translation>
    </message>
    <message>
        <source>Change cell %d on frame %d</source>
        <translation>セル %d を変更 (フレーム %d)</translation>
    </message>
    <message>
        <source>Pattern %d of picture %d on cell %d</source>
        <translation>パターン %d (画像 %d、セル %d)</translation>
    </message>
    <message>
        <source>Paste %d frames at frame %d</source>
        <translation>%d フレームをフレーム %d に貼り付け</translation>
    </message>
    <message>
        <source>Paste at frame %d, cell %d</source>
        <translation>フレーム %d、セル %d に貼り付け</translation>
    </message>
    <message>
        <source>Cut frames %d to %d</source>
        <translation>フレーム %d ～ %d を切り取り</translation>
    </message>
    <message>
        <source>Delete cells of frames %d to %d</source>
        <translation>フレーム %d ～ %d のセルを削除</translation>
    </message>
    <message>
        <source>Tween frames %d to %d</source>
        <translation>フレーム %d ～ %d を中間補完</translation>
    </message>
    <message>
        <source>Spline curve from frame %d</source>
        <translation>フレーム %d からスプライン曲線</translation>
    </message>
    <message>
        <source>Batch edit</source>
        <translation>一括編集</translation>
    </message>
    <message>
        <source>Interval %d on frames %d to %d</source>
        <translation>間隔 %d (フレーム %d ～ %d)</translation>
    </message>
    <message>
        <source>Lock cell numbers to pictures</source>
        <translation>セル番号と画像の固定</translation>
    </message>
    <message>
        <source>Lock cell number %d to picture %d</source>
        <translation>セル番号 %d を画像 %d に固定</translation>
    </message>
    <message>
        <source>Add picture %d</source>
        <translation>画像 %d を追加</translation>
    </message>
    <message>
        <source>Change picture %d</source>
        <translation>画像 %d を変更</translation>
    </message>
    <message>
        <source>Delete picture %d</source>
        <translation>画像 %d を削除</translation>
    </message>
    <message>
        <source>Cut picture %d</source>
        <translation>画像 %d を切り取り</translation>
    </message>
    <message>
        <source>Paste picture %d</source>
        <translation>画像 %d を貼り付け</translation>
    </message>
    <message>
        <source>Move picture %d to %d</source>
        <translation>画像 %d を %d に移動</translation>
    </message>
    <message>
        <source>Add sound effect at frame %d</source>
        <translation>フレーム %d に SE を追加</translation>
    </message>
    <message>
        <source>Add flash at frame %d</source>
        <translation>フレーム %d にフラッシュを追加</translation>
    </message>
    <message>
        <source>Add timing at frame %d</source>
        <translation>フレーム %d にタイミングを追加</translation>
    </message>
    <message>
        <source>Change timing at frame %d</source>
        <translation>フレーム %d のタイミングを変更</translation>
    </message>
    <message>
        <source>Delete timing at frame %d</source>
        <translation>フレーム %d のタイミングを削除</translation>
    </message>
    <message>
        <source>Cut timing at frame %d</source>
        <translation>フレーム %d のタイミングを切り取り</translation>
    </message>
    <message>
        <source>Paste timing at frame %d</source>
        <translation>フレーム %d にタイミングを貼り付け</translation>
    </message>
    <message>
        <source>Project settings</source>
        <translation>プロジェクトの設定</translation>
    </message>
    <message>
        <source>Cell numbers: %d</source>
        <translation>セル番号: %d</translation>
    </message>
    <message>
        <source>%s</source>
        <translation>%s</translation>
    </message>
    <message>
        <source>Picture %d (%s) could not be loaded: %s; its cells are left out</source>
        <translation>画像 %d (%s) を読み込めませんでした: %s。この画像のセルは出力されません</translation>
    </message>
    <message>
        <source>Name the pictures by their full paths</source>
        <translation>画像をフルパスで指定</translation>
    </message>
    <message>
        <source>Picture and sound paths for the folder %s</source>
        <translation>フォルダー %s に合わせた画像と効果音のパス</translation>
    </message>
    <message>
        <source>%d frames past the limit of %d left out</source>
        <translation>フレーム %d 個が上限 %d を超えたため出力しませんでした</translation>
    </message>
    <message>
        <source>1 frame past the limit of %d left out</source>
        <translation>フレーム 1 個が上限 %d を超えたため出力しませんでした</translation>
    </message>
    <message>
        <source>%d cells past the limit of %d per frame left out</source>
        <translation>セル %d 個が 1 フレームあたりの上限 %d を超えたため出力しませんでした</translation>
    </message>
    <message>
        <source>1 cell past the limit of %d per frame left out</source>
        <translation>セル 1 個が 1 フレームあたりの上限 %d を超えたため出力しませんでした</translation>
    </message>
    <message>
        <source>%d pictures left out: the product holds only %d</source>
        <translation>画像 %d 個を出力しませんでした: この製品で使える画像は %d 個までです</translation>
    </message>
    <message>
        <source>1 picture left out: the product holds only %d</source>
        <translation>画像 1 個を出力しませんでした: この製品で使える画像は %d 個までです</translation>
    </message>
    <message>
        <source>%d cells are drawn with another picture: the product cannot name theirs</source>
        <translation>セル %d 個は別の画像で表示されます: この製品ではそのセルの画像を指定できません</translation>
    </message>
    <message>
        <source>1 cell is drawn with another picture: the product cannot name its own</source>
        <translation>セル 1 個は別の画像で表示されます: この製品ではそのセルの画像を指定できません</translation>
    </message>
    <message>
        <source>%d cells&apos; patterns were held to the range 1..%d</source>
        <translation>セル %d 個のパターンを 1..%d の範囲に収めました</translation>
    </message>
    <message>
        <source>1 cell&apos;s pattern was held to the range 1..%d</source>
        <translation>セル 1 個のパターンを 1..%d の範囲に収めました</translation>
    </message>
    <message>
        <source>%d cells lose their colour tone and saturation</source>
        <translation>セル %d 個の色調と彩度が失われます</translation>
    </message>
    <message>
        <source>1 cell loses its colour tone and saturation</source>
        <translation>セル 1 個の色調と彩度が失われます</translation>
    </message>
    <message>
        <source>%d cells lose their angle: the product cannot turn cells</source>
        <translation>セル %d 個の角度が失われます: この製品ではセルを回転できません</translation>
    </message>
    <message>
        <source>1 cell loses its angle: the product cannot turn cells</source>
        <translation>セル 1 個の角度が失われます: この製品ではセルを回転できません</translation>
    </message>
    <message>
        <source>%d cells lose their mirroring</source>
        <translation>セル %d 個の反転が失われます</translation>
    </message>
    <message>
        <source>1 cell loses its mirroring</source>
        <translation>セル 1 個の反転が失われます</translation>
    </message>
    <message>
        <source>%d cells have different x and y magnifications: the product keeps one zoom (the larger)</source>
        <translation>セル %d 個は X と Y の拡大率が異なります: この製品では 1 つの拡大率 (大きい方) になります</translation>
    </message>
    <message>
        <source>1 cell has different x and y magnifications: the product keeps one zoom (the larger)</source>
        <translation>セル 1 個は X と Y の拡大率が異なります: この製品では 1 つの拡大率 (大きい方) になります</translation>
    </message>
    <message>
        <source>%d cells&apos; zooms were held to the product&apos;s range</source>
        <translation>セル %d 個の拡大率をこの製品の範囲に収めました</translation>
    </message>
    <message>
        <source>1 cell&apos;s zoom was held to the product&apos;s range</source>
        <translation>セル 1 個の拡大率をこの製品の範囲に収めました</translation>
    </message>
    <message>
        <source>%d cells&apos; drawing methods are not in the product and became normal</source>
        <translation>セル %d 個の合成方法はこの製品にないため、通常になりました</translation>
    </message>
    <message>
        <source>1 cell&apos;s drawing method is not in the product and became normal</source>
        <translation>セル 1 個の合成方法はこの製品にないため、通常になりました</translation>
    </message>
    <message>
        <source>the picture&apos;s hue is left out: the product has no hue</source>
        <translation>画像の色相は出力しませんでした: この製品には色相がありません</translation>
    </message>
    <message>
        <source>%d effects past the limit of %d left out</source>
        <translation>タイミング %d 個が上限 %d を超えたため出力しませんでした</translation>
    </message>
    <message>
        <source>1 effect past the limit of %d left out</source>
        <translation>タイミング 1 個が上限 %d を超えたため出力しませんでした</translation>
    </message>
    <message>
        <source>%d effects lose their user data</source>
        <translation>タイミング %d 個のユーザーデータが失われます</translation>
    </message>
    <message>
        <source>1 effect loses its user data</source>
        <translation>タイミング 1 個のユーザーデータが失われます</translation>
    </message>
    <message>
        <source>%d flashes last 8 frames: the product has no flash duration</source>
        <translation>フラッシュ %d 個は 8 フレームになります: この製品にはフラッシュの長さがありません</translation>
    </message>
    <message>
        <source>1 flash lasts 8 frames: the product has no flash duration</source>
        <translation>フラッシュ 1 個は 8 フレームになります: この製品にはフラッシュの長さがありません</translation>
    </message>
    <message>
        <source>%d flashes that hide the target left out</source>
        <translation>対象を消すフラッシュ %d 個を出力しませんでした</translation>
    </message>
    <message>
        <source>1 flash that hides the target left out</source>
        <translation>対象を消すフラッシュ 1 個を出力しませんでした</translation>
    </message>
    <message>
        <source>%d sounds lose their balance: the product plays sounds centred</source>
        <translation>効果音 %d 個の左右バランスが失われます: この製品では効果音は中央で鳴ります</translation>
    </message>
    <message>
        <source>1 sound loses its balance: the product plays sounds centred</source>
        <translation>効果音 1 個の左右バランスが失われます: この製品では効果音は中央で鳴ります</translation>
    </message>
    <message>
        <source>%d pictures not found: %s</source>
        <translation>画像が %d 個見つかりません: %s</translation>
    </message>
    <message>
        <source>1 picture not found: %s</source>
        <translation>画像が 1 個見つかりません: %s</translation>
    </message>
    <message>
        <source>%d sound files not found: %s</source>
        <translation>効果音ファイルが %d 個見つかりません: %s</translation>
    </message>
    <message>
        <source>1 sound file not found: %s</source>
        <translation>効果音ファイルが 1 個見つかりません: %s</translation>
    </message>
    <message>
        <source>%s does not exist</source>
        <translation>%s がありません</translation>
    </message>
    <message>
        <source>%s may not be read or written (permission denied)</source>
        <translation>%s を読み書きする権限がありません</translation>
    </message>
    <message>
        <source>cannot open %s: %s</source>
        <translation>%s を開けません: %s</translation>
    </message>
    <message>
        <source>not a regular file: %s</source>
        <translation>通常のファイルではありません: %s</translation>
    </message>
    <message>
        <source>%s is too large (more than %d MiB)</source>
        <translation>%s が大きすぎます (%d MiB を超えています)</translation>
    </message>
    <message>
        <source>cannot read %s: %s</source>
        <translation>%s を読み込めません: %s</translation>
    </message>
    <message>
        <source>cannot write %s: %s</source>
        <translation>%s に書き込めません: %s</translation>
    </message>
    <message>
        <source>cannot replace %s: %s</source>
        <translation>%s を置き換えられません: %s</translation>
    </message>
    <message>
        <source>cannot create a temporary file beside %s: %s</source>
        <translation>%s と同じフォルダーに一時ファイルを作れません: %s</translation>
    </message>
    <message>
        <source>not a project file (unknown format): it begins with neither PELK_BIN, PELK_TEX nor nani</source>
        <translation>アニメーションのファイルではありません (不明な形式): 先頭が PELK_BIN、PELK_TEX、nani のどれでもありません</translation>
    </message>
    <message>
        <source>unknown save format %d</source>
        <translation>不明な保存形式 %d です</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>メモリが足りません</translation>
    </message>
    <message>
        <source>the project has %d frames; a project holds at most %d</source>
        <translation>フレームが %d 個あります。1 つのアニメーションに入るフレームは %d 個までです</translation>
    </message>
    <message>
        <source>the project has %d effects; a project holds at most %d</source>
        <translation>タイミングが %d 個あります。1 つのアニメーションに入るタイミングは %d 個までです</translation>
    </message>
    <message>
        <source>not a binary project (header missing or damaged)</source>
        <translation>バイナリ形式のアニメーションではありません (ヘッダーがないか壊れています)</translation>
    </message>
    <message>
        <source>the file ends early in %s (truncated or damaged)</source>
        <translation>%s の途中でファイルが終わっています (途中で切れているか壊れています)</translation>
    </message>
    <message>
        <source>the binary format holds at most 255 pictures; this project uses %d (save it in the text format)</source>
        <translation>バイナリ形式に入る画像は 255 個までですが、このアニメーションは %d 個使っています (テキスト形式で保存してください)</translation>
    </message>
    <message>
        <source>the binary format holds at most 255 distinct sound files; this project uses %d (save it in the text format)</source>
        <translation>バイナリ形式に入る効果音ファイルは 255 種類までですが、このアニメーションは %d 種類使っています (テキスト形式で保存してください)</translation>
    </message>
    <message>
        <source>not a text project (the first line is not &quot;PELK_TEX&quot;)</source>
        <translation>テキスト形式のアニメーションではありません (1 行目が &quot;PELK_TEX&quot; ではありません)</translation>
    </message>
    <message>
        <source>line %d: %s missing (the file ends early)</source>
        <translation>%d 行目: %s がありません (ファイルが途中で終わっています)</translation>
    </message>
    <message>
        <source>line %d: an empty line where a header record was expected</source>
        <translation>%d 行目: ヘッダーの行があるはずの所が空行です</translation>
    </message>
    <message>
        <source>line %d: an empty line where a frame record was expected</source>
        <translation>%d 行目: フレームの行があるはずの所が空行です</translation>
    </message>
    <message>
        <source>line %d: picture %d lies outside the %d picture slots the header makes room for</source>
        <translation>%d 行目: 画像 %d が、ヘッダーで用意された %d 個の画像枠の外にあります</translation>
    </message>
    <message>
        <source>the header has no &quot;1&quot; record (frame, cell and picture counts)</source>
        <translation>ヘッダーに &quot;1&quot; の行 (フレーム数、セル数、画像数) がありません</translation>
    </message>
    <message>
        <source>not a legacy animation file (it does not begin with &quot;nani&quot;)</source>
        <translation>旧形式のアニメーションファイルではありません (先頭が &quot;nani&quot; ではありません)</translation>
    </message>
    <message>
        <source>the header</source>
        <translation>ヘッダー</translation>
    </message>
    <message>
        <source>the cell lock table</source>
        <translation>セルの画像固定表</translation>
    </message>
    <message>
        <source>picture %d</source>
        <translation>画像 %d</translation>
    </message>
    <message>
        <source>sound file %d</source>
        <translation>効果音ファイル %d</translation>
    </message>
    <message>
        <source>effect %d</source>
        <translation>タイミング %d</translation>
    </message>
    <message>
        <source>frame %d</source>
        <translation>フレーム %d</translation>
    </message>
    <message>
        <source>the name line</source>
        <translation>名前の行</translation>
    </message>
    <message>
        <source>the user-data line</source>
        <translation>ユーザーデータの行</translation>
    </message>
    <message>
        <source>the &quot;9&quot; line that ends the header</source>
        <translation>ヘッダーを終える &quot;9&quot; の行</translation>
    </message>
    <message>
        <source>the path line of picture record &quot;2&quot;</source>
        <translation>画像の行 &quot;2&quot; に続くパスの行</translation>
    </message>
    <message>
        <source>the path line of sound record &quot;3&quot;</source>
        <translation>効果音の行 &quot;3&quot; に続くパスの行</translation>
    </message>
    <message>
        <source>the closing &quot;9&quot; line</source>
        <translation>最後の &quot;9&quot; の行</translation>
    </message>
    <message>
        <source>a block line of an effect group</source>
        <translation>タイミングのまとまりの行</translation>
    </message>
    <message>
        <source>the sound path line after &quot;6&quot;</source>
        <translation>&quot;6&quot; に続く効果音のパスの行</translation>
    </message>
    <message>
        <source>the user-data line after &quot;7&quot;</source>
        <translation>&quot;7&quot; に続くユーザーデータの行</translation>
    </message>
    <message>
        <source>the clipboard holds no RPG Maker 2000 data</source>
        <translation>クリップボードに RPGツクール2000 のデータがありません</translation>
    </message>
    <message>
        <source>the clipboard holds no RPG Maker XP, VX or VX Ace animation</source>
        <translation>クリップボードに RPGツクールXP / VX / VX Ace のアニメーションがありません</translation>
    </message>
    <message>
        <source>the clipboard holds no MV animation</source>
        <translation>クリップボードに RPGツクールMV のアニメーションがありません</translation>
    </message>
    <message>
        <source>the clipboard holds no animation of that kind</source>
        <translation>クリップボードにその種類のアニメーションがありません</translation>
    </message>
    <message>
        <source>the clipboard did not take the data</source>
        <translation>クリップボードにデータを置けませんでした</translation>
    </message>
    <message>
        <source>no export for that product</source>
        <translation>その製品には書き出せません</translation>
    </message>
    <message>
        <source>not an RPG Maker 2000 animation: %s (byte %d)</source>
        <translation>RPGツクール2000 のアニメーションではありません: %s (%d バイト目)</translation>
    </message>
    <message>
        <source>not an RPG Maker XP, VX or VX Ace animation: %s (byte %d)</source>
        <translation>RPGツクールXP / VX / VX Ace のアニメーションではありません: %s (%d バイト目)</translation>
    </message>
    <message>
        <source>not an RPG Maker MV animation: %s</source>
        <translation>RPGツクールMV のアニメーションではありません: %s</translation>
    </message>
    <message>
        <source>the block is shorter than its 8-byte header</source>
        <translation>データが 8 バイトのヘッダーより短いです</translation>
    </message>
    <message>
        <source>the header words are not positive</source>
        <translation>ヘッダーの値が正の数ではありません</translation>
    </message>
    <message>
        <source>the animation record has no frames</source>
        <translation>アニメーションのデータにフレームがありません</translation>
    </message>
    <message>
        <source>data follows the animation record</source>
        <translation>アニメーションのデータの後ろに余分なデータがあります</translation>
    </message>
    <message>
        <source>a number runs past the end of its chunk</source>
        <translation>数値がチャンクの終わりを越えています</translation>
    </message>
    <message>
        <source>a number does not fit in 32 bits</source>
        <translation>数値が 32 ビットに収まりません</translation>
    </message>
    <message>
        <source>the %s has no end</source>
        <translation>%sに終わりがありません</translation>
    </message>
    <message>
        <source>chunk ids of the %s are not ascending</source>
        <translation>%sのチャンク番号が昇順ではありません</translation>
    </message>
    <message>
        <source>a chunk of the %s runs past its end</source>
        <translation>%sのチャンクがデータの終わりを越えています</translation>
    </message>
    <message>
        <source>a chunk of the %s holds more than its value</source>
        <translation>%sのチャンクに値より多くのデータがあります</translation>
    </message>
    <message>
        <source>the indices of the %ss are not ascending</source>
        <translation>%sの番号が昇順ではありません</translation>
    </message>
    <message>
        <source>the block ends inside the animation record</source>
        <translation>アニメーションのデータの途中でデータが終わっています</translation>
    </message>
    <message>
        <source>animation record</source>
        <translation>アニメーションのデータ</translation>
    </message>
    <message>
        <source>timing record</source>
        <translation>タイミングのデータ</translation>
    </message>
    <message>
        <source>sound record</source>
        <translation>効果音のデータ</translation>
    </message>
    <message>
        <source>frame record</source>
        <translation>フレームのデータ</translation>
    </message>
    <message>
        <source>cell record</source>
        <translation>セルのデータ</translation>
    </message>
    <message>
        <source>the payload is too short</source>
        <translation>データが短すぎます</translation>
    </message>
    <message>
        <source>the payload is too large</source>
        <translation>データが大きすぎます</translation>
    </message>
    <message>
        <source>not a Ruby Marshal 4.8 dump</source>
        <translation>Ruby Marshal 4.8 のデータではありません</translation>
    </message>
    <message>
        <source>the payload holds no animation</source>
        <translation>データにアニメーションがありません</translation>
    </message>
    <message>
        <source>the payload holds no RPG::Animation</source>
        <translation>データに RPG::Animation がありません</translation>
    </message>
    <message>
        <source>a link to an object that was not read</source>
        <translation>読み込まれていないオブジェクトへの参照があります</translation>
    </message>
    <message>
        <source>object links nested too deeply</source>
        <translation>オブジェクトの参照が深すぎます</translation>
    </message>
    <message>
        <source>too many object links</source>
        <translation>オブジェクトの参照が多すぎます</translation>
    </message>
    <message>
        <source>the payload ends inside a value</source>
        <translation>値の途中でデータが終わっています</translation>
    </message>
    <message>
        <source>the payload ends inside a number</source>
        <translation>数値の途中でデータが終わっています</translation>
    </message>
    <message>
        <source>negative length</source>
        <translation>長さが負の数です</translation>
    </message>
    <message>
        <source>negative count</source>
        <translation>個数が負の数です</translation>
    </message>
    <message>
        <source>too many symbols</source>
        <translation>シンボルが多すぎます</translation>
    </message>
    <message>
        <source>a symbol was expected</source>
        <translation>シンボルがあるはずの所に別の値があります</translation>
    </message>
    <message>
        <source>values nested too deeply</source>
        <translation>値の入れ子が深すぎます</translation>
    </message>
    <message>
        <source>unknown value type</source>
        <translation>不明な種類の値があります</translation>
    </message>
    <message>
        <source>the JSON text nests too deeply</source>
        <translation>JSON の入れ子が深すぎます</translation>
    </message>
    <message>
        <source>the JSON text cannot be parsed</source>
        <translation>JSON として読めません</translation>
    </message>
    <message>
        <source>the JSON text cannot be read</source>
        <translation>JSON を読み込めません</translation>
    </message>
    <message>
        <source>the top level is not an array</source>
        <translation>一番外側が配列ではありません</translation>
    </message>
    <message>
        <source>the top-level array is empty</source>
        <translation>一番外側の配列が空です</translation>
    </message>
    <message>
        <source>the animation is not an object</source>
        <translation>アニメーションがオブジェクトではありません</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is missing or not a %s</source>
        <translation>&quot;%s&quot; がないか、%sではありません</translation>
    </message>
    <message>
        <source>&quot;frames&quot; is empty</source>
        <translation>&quot;frames&quot; が空です</translation>
    </message>
    <message>
        <source>frame %d is not an array</source>
        <translation>フレーム %d が配列ではありません</translation>
    </message>
    <message>
        <source>cell %d of frame %d is not an array</source>
        <translation>セル %d (フレーム %d) が配列ではありません</translation>
    </message>
    <message>
        <source>timing %d is not an object</source>
        <translation>タイミング %d がオブジェクトではありません</translation>
    </message>
    <message>
        <source>string</source>
        <translation>文字列</translation>
    </message>
    <message>
        <source>number</source>
        <translation>数値</translation>
    </message>
    <message>
        <source>array</source>
        <translation>配列</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>ファイルを読み込めません</translation>
    </message>
    <message>
        <source>not a BMP, PNG, GIF or XYZ picture</source>
        <translation>BMP、PNG、GIF、XYZ のどの画像でもありません</translation>
    </message>
    <message>
        <source>%s pictures cannot be loaded</source>
        <translation>%s 形式の画像は読み込めません</translation>
    </message>
    <message>
        <source>%d x %d pixels would take %d MiB; a picture may take at most %d MiB</source>
        <translation>%d x %d ピクセルでは %d MiB 必要です。1 枚の画像に使えるのは %d MiB までです</translation>
    </message>
    <message>
        <source>the file is larger than %d MiB; no picture it holds can be loaded</source>
        <translation>ファイルが %d MiB より大きいため、画像を読み込めません</translation>
    </message>
    <message>
        <source>the %s data is damaged or of an unsupported kind</source>
        <translation>%s のデータが壊れているか、対応していない種類です</translation>
    </message>
    <message>
        <source>%s would bring the pictures to %d MiB; a project&apos;s pictures may take at most %d MiB in all</source>
        <translation>%s を読み込むと画像の合計が %d MiB になります。1 つのアニメーションの画像に使えるのは合計 %d MiB までです</translation>
    </message>
    <message>
        <source>its division into %d x %d does not fit the picture</source>
        <translation>%d x %d の分割が画像に合いません</translation>
    </message>
    <message>
        <source>it is not loaded</source>
        <translation>読み込まれていません</translation>
    </message>
    <message>
        <source>the target picture</source>
        <translation>ターゲット画像</translation>
    </message>
    <message>
        <source>the zoom must be above 0</source>
        <translation>拡大率は 0 より大きくしてください</translation>
    </message>
    <message>
        <source>the frame rate must be at least 1</source>
        <translation>フレームレートは 1 以上にしてください</translation>
    </message>
    <message>
        <source>the division number must be at least 1</source>
        <translation>分割数は 1 以上にしてください</translation>
    </message>
    <message>
        <source>the animation has no frames to export</source>
        <translation>書き出すフレームがありません</translation>
    </message>
    <message>
        <source>the capture area is empty</source>
        <translation>書き出す範囲が空です</translation>
    </message>
    <message>
        <source>the zoomed image is empty</source>
        <translation>拡大後の画像が空です</translation>
    </message>
    <message>
        <source>the image would be %d x %d pixels; the limit is %d</source>
        <translation>画像が %d x %d ピクセルになります。上限は %d です</translation>
    </message>
    <message>
        <source>the GIF would be %d x %d pixels; the limit is %d</source>
        <translation>GIF が %d x %d ピクセルになります。上限は %d です</translation>
    </message>
    <message>
        <source>%s: %s</source>
        <translation>%s: %s</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>理由は不明です</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>そのファイルまたはフォルダーはありません</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>権限がありません</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>ディスクがいっぱいです</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>ディスクの割り当て量を使い切りました</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>ファイルシステムが読み取り専用です</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>フォルダーです</translation>
    </message>
    <message>
        <source>a part of the path is not a folder</source>
        <translation>パスの途中がフォルダーではありません</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>名前が長すぎます</translation>
    </message>
    <message>
        <source>too many symbolic links</source>
        <translation>シンボリックリンクが多すぎます</translation>
    </message>
    <message>
        <source>the file already exists</source>
        <translation>ファイルがすでにあります</translation>
    </message>
    <message>
        <source>the file is in use</source>
        <translation>ファイルは使用中です</translation>
    </message>
    <message>
        <source>a read or write error of the device</source>
        <translation>装置の読み書きエラーです</translation>
    </message>
    <message>
        <source>too many files are open</source>
        <translation>開いているファイルが多すぎます</translation>
    </message>
    <message>
        <source>the file is too large for the file system</source>
        <translation>ファイルシステムに対してファイルが大きすぎます</translation>
    </message>
    <message>
        <source>the file is on another drive</source>
        <translation>ファイルが別のドライブにあります</translation>
    </message>
    <message>
        <source>system error %d</source>
        <translation>システムエラー %d</translation>
    </message>
    <message>
        <source>not a GIF file</source>
        <translation>GIF ファイルではありません</translation>
    </message>
    <message>
        <source>the logical screen of %d x %d pixels is empty or too large</source>
        <translation>論理画面 %d x %d ピクセルが空か大きすぎます</translation>
    </message>
    <message>
        <source>the file ends before its trailer</source>
        <translation>終端ブロックの前でファイルが終わっています</translation>
    </message>
    <message>
        <source>a damaged extension block</source>
        <translation>拡張ブロックが壊れています</translation>
    </message>
    <message>
        <source>an unknown record</source>
        <translation>不明なレコードがあります</translation>
    </message>
    <message>
        <source>a damaged image descriptor</source>
        <translation>画像記述子が壊れています</translation>
    </message>
    <message>
        <source>image %d lies outside the logical screen</source>
        <translation>画像 %d が論理画面の外にあります</translation>
    </message>
    <message>
        <source>image %d cannot be read</source>
        <translation>画像 %d を読めません</translation>
    </message>
    <message>
        <source>damaged image data</source>
        <translation>画像データが壊れています</translation>
    </message>
    <message>
        <source>the file holds no image</source>
        <translation>ファイルに画像がありません</translation>
    </message>
    <message>
        <source>the GIF cannot be read</source>
        <translation>GIF を読めません</translation>
    </message>
    <message>
        <source>a frame of %d x %d pixels is too large</source>
        <translation>%d x %d ピクセルのフレームは大きすぎます</translation>
    </message>
    <message>
        <source>the frames would take more than %d MiB</source>
        <translation>フレーム全体が %d MiB を超えます</translation>
    </message>
    <message>
        <source>cannot read the GIF: %s</source>
        <translation>GIF を読めません: %s</translation>
    </message>
    <message>
        <source>the GIF has %d frames; an animation holds at most %d</source>
        <translation>GIF のフレーム数は %d です。アニメーションに入るのは %d までです</translation>
    </message>
    <message>
        <source>the frames would take more memory than allowed</source>
        <translation>フレームが使えるメモリの上限を超えます</translation>
    </message>
    <message>
        <source>%s is %d x %d pixels, not a multiple of the %d x %d frames</source>
        <translation>%s は %d x %d ピクセルで、フレームの大きさ %d x %d の倍数ではありません</translation>
    </message>
    <message>
        <source>the sheet is not 32 bits a pixel</source>
        <translation>シートが 32 ビットカラーではありません</translation>
    </message>
    <message>
        <source>the sheet has partly transparent pixels</source>
        <translation>シートに半透明のピクセルがあります</translation>
    </message>
    <message>
        <source>the sheet has more than %d colours</source>
        <translation>シートの色数が %d を超えています</translation>
    </message>
    <message>
        <source>a pattern may be at most %d pixels a side</source>
        <translation>パターンの一辺は %d ピクセルまでです</translation>
    </message>
    <message>
        <source>at most %d patterns a row</source>
        <translation>1 行のパターン数は %d までです</translation>
    </message>
    <message>
        <source>no frames to lay out</source>
        <translation>並べるフレームがありません</translation>
    </message>
    <message>
        <source>%d frames: %s reads at most %d patterns in one picture</source>
        <translation>%d フレーム: %s が 1 枚の画像から読むパターンは %d までです</translation>
    </message>
    <message>
        <source>frame %d is not a 32-bit image</source>
        <translation>フレーム %d が 32 ビットカラーの画像ではありません</translation>
    </message>
    <message>
        <source>the sheet would be %d x %d pixels; a picture may be at most %d a side</source>
        <translation>シートが %d x %d ピクセルになります。画像の一辺は %d までです</translation>
    </message>
    <message>
        <source>the sheet would be %d x %d pixels, more than a picture may take when it is loaded</source>
        <translation>シートが %d x %d ピクセルになり、読み込める画像の大きさを超えます</translation>
    </message>
    <message>
        <source>cannot list the folder %s</source>
        <translation>フォルダー %s の中身を読めません</translation>
    </message>
    <message>
        <source>%s holds no pictures (.png .bmp .gif .xyz)</source>
        <translation>%s に画像 (.png .bmp .gif .xyz) がありません</translation>
    </message>
    <message>
        <source>no frames to read</source>
        <translation>読み込むフレームがありません</translation>
    </message>
    <message>
        <source>this editor</source>
        <translation>このエディター</translation>
    </message>
    <message>
        <source>the PNG library cannot start</source>
        <translation>PNG ライブラリを開始できません</translation>
    </message>
    <message>
        <source>PNG encoding failed</source>
        <translation>PNG の書き出しに失敗しました</translation>
    </message>
    <message>
        <source>no image to encode</source>
        <translation>書き出す画像がありません</translation>
    </message>
    <message>
        <source>the image is not 32 bits per pixel</source>
        <translation>画像が 32 ビットカラーではありません</translation>
    </message>
    <message>
        <source>the image is not an 8-bit palette image</source>
        <translation>画像が 8 ビットのパレット画像ではありません</translation>
    </message>
    <message>
        <source>no frames to write</source>
        <translation>書き出すフレームがありません</translation>
    </message>
    <message>
        <source>the animation file is not open</source>
        <translation>アニメーションファイルが開かれていません</translation>
    </message>
    <message>
        <source>a frame does not have the animation&apos;s size</source>
        <translation>フレームの大きさがアニメーションと違います</translation>
    </message>
    <message>
        <source>more frames than announced</source>
        <translation>予定より多いフレームがあります</translation>
    </message>
    <message>
        <source>a WebP picture is at most %d pixels a side</source>
        <translation>WebP 画像の一辺は %d ピクセルまでです</translation>
    </message>
    <message>
        <source>the installed WebP library does not match</source>
        <translation>インストールされている WebP ライブラリが合いません</translation>
    </message>
    <message>
        <source>the animation is too long for WebP</source>
        <translation>WebP には長すぎるアニメーションです</translation>
    </message>
    <message>
        <source>WebP encoding failed</source>
        <translation>WebP の書き出しに失敗しました</translation>
    </message>
    <message>
        <source>the GIF library cannot start (error %d)</source>
        <translation>GIF ライブラリを開始できません (エラー %d)</translation>
    </message>
    <message>
        <source>the GIF library reported error %d</source>
        <translation>GIF ライブラリがエラー %d を返しました</translation>
    </message>
    <message>
        <source>cannot compress a frame</source>
        <translation>フレームを圧縮できません</translation>
    </message>
    <message>
        <source>cannot keep a frame in the scratch file: %s</source>
        <translation>フレームを作業ファイルに置けません: %s</translation>
    </message>
    <message>
        <source>cannot read a frame back from the scratch file</source>
        <translation>作業ファイルからフレームを読み戻せません</translation>
    </message>
    <message>
        <source>a frame in the scratch file is damaged</source>
        <translation>作業ファイルのフレームが壊れています</translation>
    </message>
    <message>
        <source>a frame without a 32-bit picture</source>
        <translation>32 ビットカラーの画像がないフレームがあります</translation>
    </message>
    <message>
        <source>no frames</source>
        <translation>フレームがありません</translation>
    </message>
    <message>
        <source>out of memory while reducing the colours of frame %d</source>
        <translation>フレーム %d の減色中にメモリが足りなくなりました</translation>
    </message>
    <message>
        <source>cannot build the global palette</source>
        <translation>全体パレットを作れません</translation>
    </message>
    <message>
        <source>cannot build a local palette</source>
        <translation>フレームのパレットを作れません</translation>
    </message>
    <message>
        <source>cannot write the screen descriptor</source>
        <translation>画面記述子を書けません</translation>
    </message>
    <message>
        <source>cannot write the loop block</source>
        <translation>ループ回数のブロックを書けません</translation>
    </message>
    <message>
        <source>cannot write the comment</source>
        <translation>コメントを書けません</translation>
    </message>
    <message>
        <source>cannot write a graphic control extension</source>
        <translation>グラフィック制御拡張を書けません</translation>
    </message>
    <message>
        <source>cannot write an image descriptor</source>
        <translation>画像記述子を書けません</translation>
    </message>
    <message>
        <source>cannot write image data</source>
        <translation>画像データを書けません</translation>
    </message>
    <message>
        <source>cannot finish the file</source>
        <translation>ファイルを書き終えられません</translation>
    </message>
    <message>
        <source>the settings file has no folder</source>
        <translation>設定ファイルのフォルダーがありません</translation>
    </message>
    <message>
        <source>cannot create the folder %s</source>
        <translation>フォルダー %s を作れません</translation>
    </message>
    <message>
        <source>cannot create the lock file %s: %s</source>
        <translation>ロックファイル %s を作れません: %s</translation>
    </message>
    <message>
        <source>the recovery folder is not open</source>
        <translation>復元用フォルダーが開かれていません</translation>
    </message>
    <message>
        <source>the copy has no description</source>
        <translation>コピーに説明ファイルがありません</translation>
    </message>
    <message>
        <source>the copy belongs to an editor that is running</source>
        <translation>コピーは起動中のエディターのものです</translation>
    </message>
    <message>
        <source>another editor has taken the copy</source>
        <translation>別のエディターがコピーを引き取りました</translation>
    </message>
    <message>
        <source>%s (moved to %s)</source>
        <translation>%s (%s へ移動しました)</translation>
    </message>
    <message>
        <source>cannot remove %s</source>
        <translation>%s を削除できません</translation>
    </message>
    <message>
        <source>the copy is not a project</source>
        <translation>コピーがアニメーションのデータではありません</translation>
    </message>
    <message>
        <source>the copy is damaged</source>
        <translation>コピーが壊れています</translation>
    </message>
    <message>
        <source>the description is not JSON</source>
        <translation>説明ファイルが JSON ではありません</translation>
    </message>
    <message>
        <source>the description has an unknown format</source>
        <translation>説明ファイルの形式が不明です</translation>
    </message>
    <message>
        <source>the description names no origin</source>
        <translation>説明ファイルに元の場所がありません</translation>
    </message>
    <message>
        <source>the description has a damaged text</source>
        <translation>説明ファイルの文字列が壊れています</translation>
    </message>
    <message>
        <source>the description names no file</source>
        <translation>説明ファイルにファイル名がありません</translation>
    </message>
    <message>
        <source>the description is damaged</source>
        <translation>説明ファイルが壊れています</translation>
    </message>
    <message>
        <source>%s (at byte %d)</source>
        <translation>%s (%d バイト目)</translation>
    </message>
    <message>
        <source>the file is too short for a Marshal dump</source>
        <translation>Marshal データとしては短すぎるファイルです</translation>
    </message>
    <message>
        <source>the file is too large</source>
        <translation>ファイルが大きすぎます</translation>
    </message>
    <message>
        <source>the dump ends early</source>
        <translation>データが途中で終わっています</translation>
    </message>
    <message>
        <source>the dump ends inside a number</source>
        <translation>数値の途中でデータが終わっています</translation>
    </message>
    <message>
        <source>a negative count or length</source>
        <translation>個数か長さが負の値です</translation>
    </message>
    <message>
        <source>a count or length larger than the dump</source>
        <translation>個数か長さがデータより大きくなっています</translation>
    </message>
    <message>
        <source>a link to a symbol not defined yet</source>
        <translation>まだ定義されていないシンボルへの参照があります</translation>
    </message>
    <message>
        <source>values nested too deep</source>
        <translation>値の入れ子が深すぎます</translation>
    </message>
    <message>
        <source>a wrapper around a value that cannot carry one</source>
        <translation>付加情報を持てない値に付加情報があります</translation>
    </message>
    <message>
        <source>a wrapper around an object link</source>
        <translation>オブジェクト参照に付加情報があります</translation>
    </message>
    <message>
        <source>values nested too deep to write</source>
        <translation>値の入れ子が深すぎて書き出せません</translation>
    </message>
    <message>
        <source>a reference to no value</source>
        <translation>存在しない値への参照があります</translation>
    </message>
    <message>
        <source>a value holds itself before it is numbered</source>
        <translation>番号が付く前の値が自分自身を含んでいます</translation>
    </message>
    <message>
        <source>a value of no known kind</source>
        <translation>種類の分からない値があります</translation>
    </message>
    <message>
        <source>a JSON value is cut or missing</source>
        <translation>JSON の値が途切れているか、ありません</translation>
    </message>
    <message>
        <source>the JSON text cannot be parsed (at byte %d)</source>
        <translation>JSON として読めません (%d バイト目)</translation>
    </message>
    <message>
        <source>not a Marshal dump: %s</source>
        <translation>Marshal データではありません: %s</translation>
    </message>
    <message>
        <source>the dump does not hold an array of animations</source>
        <translation>データにアニメーションの配列がありません</translation>
    </message>
    <message>
        <source>animation %d is empty</source>
        <translation>アニメーション %d は空です</translation>
    </message>
    <message>
        <source>animation %d cannot be read: %s</source>
        <translation>アニメーション %d を読めません: %s</translation>
    </message>
    <message>
        <source>animation %d cannot be read</source>
        <translation>アニメーション %d を読めません</translation>
    </message>
    <message>
        <source>there is no animation %d</source>
        <translation>アニメーション %d はありません</translation>
    </message>
    <message>
        <source>the animation cannot be written for this product</source>
        <translation>このツクールの形式ではアニメーションを書き出せません</translation>
    </message>
    <message>
        <source>the written animation does not read back</source>
        <translation>書き出したアニメーションを読み戻せません</translation>
    </message>
    <message>
        <source>the file is not a JSON array</source>
        <translation>ファイルが JSON の配列ではありません</translation>
    </message>
    <message>
        <source>the JSON array is not closed</source>
        <translation>JSON の配列が閉じていません</translation>
    </message>
    <message>
        <source>text follows the JSON array</source>
        <translation>JSON の配列の後ろに文字があります</translation>
    </message>
    <message>
        <source>element %d: %s</source>
        <translation>要素 %d: %s</translation>
    </message>
    <message>
        <source>animation %d is not an object</source>
        <translation>アニメーション %d がオブジェクトではありません</translation>
    </message>
    <message>
        <source>the new element is not separated from the last one</source>
        <translation>新しい要素が前の要素と区切られていません</translation>
    </message>
    <message>
        <source>the new element %d is not one JSON value</source>
        <translation>新しい要素 %d が一つの JSON の値になっていません</translation>
    </message>
    <message>
        <source>the file does not start with &quot;LcfDataBase&quot;</source>
        <translation>ファイルの先頭が &quot;LcfDataBase&quot; ではありません</translation>
    </message>
    <message>
        <source>database chunk at byte %d is cut</source>
        <translation>%d バイト目のデータベースのチャンクが途切れています</translation>
    </message>
    <message>
        <source>the database has no animation chunk (0x13)</source>
        <translation>データベースにアニメーションのチャンク (0x13) がありません</translation>
    </message>
    <message>
        <source>the animation count is wrong</source>
        <translation>アニメーションの数が正しくありません</translation>
    </message>
    <message>
        <source>the animation list is cut</source>
        <translation>アニメーションの一覧が途切れています</translation>
    </message>
    <message>
        <source>animation id %d is out of range</source>
        <translation>アニメーションの ID %d が範囲外です</translation>
    </message>
    <message>
        <source>animation %d is cut</source>
        <translation>アニメーション %d が途切れています</translation>
    </message>
    <message>
        <source>the animation chunk holds more than its animations</source>
        <translation>アニメーションのチャンクに余分なデータがあります</translation>
    </message>
    <message>
        <source>the animation has no picture to name as its graphic</source>
        <translation>アニメーションのグラフィックにする画像がありません</translation>
    </message>
    <message>
        <source>the animations do not fit in one database chunk</source>
        <translation>アニメーションがデータベースのチャンク一つに収まりません</translation>
    </message>
    <message>
        <source>its size changed</source>
        <translation>大きさが変わりました</translation>
    </message>
    <message>
        <source>its contents changed</source>
        <translation>内容が変わりました</translation>
    </message>
    <message>
        <source>its modification time changed</source>
        <translation>更新日時が変わりました</translation>
    </message>
    <message>
        <source>%s changed on disk since it was read (%s); open the game again</source>
        <translation>%s は読み込んだ後にディスク上で変更されました (%s)。ゲームを開き直してください</translation>
    </message>
    <message>
        <source>cannot make the backup %s</source>
        <translation>バックアップ %s を作れません</translation>
    </message>
    <message>
        <source>There is no previous frame to copy from</source>
        <translation>コピー元になる前のフレームがありません</translation>
    </message>
    <message>
        <source>There is no next frame to copy from</source>
        <translation>コピー元になる次のフレームがありません</translation>
    </message>
    <message>
        <source>Frame %d is the first frame: there is no previous frame to fill it in from</source>
        <translation>フレーム %d は最初のフレームです: 補完に使う前のフレームがありません</translation>
    </message>
    <message>
        <source>Frame %d is the last frame: there is no next frame to fill it in from</source>
        <translation>フレーム %d は最後のフレームです: 補完に使う次のフレームがありません</translation>
    </message>
    <message>
        <source>Nothing to fill in on frame %d: its cells already follow from the frames before and after</source>
        <translation>フレーム %d に補完するものはありません: セルはすでに前後のフレームどおりです</translation>
    </message>
    <message>
        <source>No cell lies before or after the block in its cell numbers to fill it in from</source>
        <translation>範囲のセル番号には、補完に使う前後のセルがありません</translation>
    </message>
    <message>
        <source>No cell number is ticked</source>
        <translation>チェックされたセル番号がありません</translation>
    </message>
    <message>
        <source>No value is ticked</source>
        <translation>チェックされた項目がありません</translation>
    </message>
    <message>
        <source>No cell changed: the chosen frames hold no cell that the change alters</source>
        <translation>変更されたセルはありません: 選んだフレームには、この変更で変わるセルがありません</translation>
    </message>
    <message>
        <source>Frame %d has no cell %d to move along the curve</source>
        <translation>フレーム %d には曲線に沿って動かすセル %d がありません</translation>
    </message>
    <message>
        <source>No sound or flash is selected</source>
        <translation>効果音・フラッシュが選ばれていません</translation>
    </message>
    <message>
        <source>The clipboard holds no sound or flash</source>
        <translation>クリップボードに効果音・フラッシュがありません</translation>
    </message>
    <message>
        <source>The animation already has %d sounds and flashes</source>
        <translation>アニメーションの効果音・フラッシュはすでに %d 個あります</translation>
    </message>
    <message>
        <source>Picture %d is empty</source>
        <translation>画像 %d は空です</translation>
    </message>
    <message>
        <source>The clipboard holds no picture</source>
        <translation>クリップボードに画像がありません</translation>
    </message>
    <message>
        <source>the RPG Maker 2000 format names the animation&apos;s picture, and this animation has no picture</source>
        <translation>RPGツクール2000 の形式ではアニメーションの画像を指定しますが、このアニメーションには画像がありません</translation>
    </message>
    <message>
        <source>cannot follow the symbolic links at %s: %s</source>
        <translation>%s のシンボリックリンクをたどれません: %s</translation>
    </message>
    <message>
        <source>the file is locked or not available just now</source>
        <translation>ファイルがロックされているか、今は使えません</translation>
    </message>
    <message>
        <source>the folder is not empty</source>
        <translation>フォルダーが空ではありません</translation>
    </message>
    <message>
        <source>the device is not available</source>
        <translation>デバイスが使えません</translation>
    </message>
    <message>
        <source>the device did not answer in time</source>
        <translation>デバイスが時間内に応答しませんでした</translation>
    </message>
    <message>
        <source>the network file is no longer available</source>
        <translation>ネットワーク上のファイルがもう使えません</translation>
    </message>
    <message>
        <source>the system refused the request as invalid</source>
        <translation>システムが不正な要求として受け付けませんでした</translation>
    </message>
    <message>
        <source>there is no animation to export</source>
        <translation>書き出すアニメーションがありません</translation>
    </message>
    <message>
        <source>no file name was given for the export</source>
        <translation>書き出し先のファイル名が指定されていません</translation>
    </message>
    <message>
        <source>the pictures of the animation are not loaded</source>
        <translation>アニメーションの画像が読み込まれていません</translation>
    </message>
    <message>
        <source>the export is not running</source>
        <translation>書き出しは実行されていません</translation>
    </message>
    <message>
        <source>the sound is off</source>
        <translation>サウンドはオフです</translation>
    </message>
    <message>
        <source>there is no audio output</source>
        <translation>音声の出力先がありません</translation>
    </message>
    <message>
        <source>the audio output cannot be used</source>
        <translation>音声の出力先を使えません</translation>
    </message>
    <message>
        <source>this program was built without sound</source>
        <translation>このプログラムはサウンドなしでビルドされています</translation>
    </message>
    <message>
        <source>no sound file is named</source>
        <translation>SE のファイルが指定されていません</translation>
    </message>
    <message>
        <source>cannot read %s: the sound format is not supported or the data are damaged</source>
        <translation>%s を読めません: 対応していない音声形式か、データが壊れています</translation>
    </message>
    <message>
        <source>cannot read %s: its channel count or sample rate is not supported</source>
        <translation>%s を読めません: チャンネル数かサンプリングレートに対応していません</translation>
    </message>
    <message>
        <source>cannot read %s: it holds no sound</source>
        <translation>%s を読めません: 音声が入っていません</translation>
    </message>
    <message>
        <source>the audio output cannot take the sound of %s</source>
        <translation>%s の音声を出力先に読み込めません</translation>
    </message>
    <message>
        <source>Rename the animation to %s</source>
        <translation>アニメーションの名前を %s に変更</translation>
    </message>
    <message>
        <source>Nothing changed: the cells already hold the result</source>
        <translation>何も変わりませんでした: セルはすでにこの結果になっています</translation>
    </message>
    <message>
        <source>no game is open</source>
        <translation>ゲームが開かれていません</translation>
    </message>
    <message>
        <source>animation %d cannot be written: %s</source>
        <translation>アニメーション %d を書き込めません: %s</translation>
    </message>
    <message>
        <source>the new database does not read back (%s); nothing was written</source>
        <translation>新しいデータベースを読み直せません (%s)。何も書き込んでいません</translation>
    </message>
</context>
<context>
    <name>GameMessages</name>
    <message>
        <source>%s does not exist</source>
        <translation>%s が見つかりません</translation>
    </message>
    <message>
        <source>%s is not an RPG Maker game folder: it holds no Game.rxproj, Game.rvproj, Game.rvproj2, Game.rpgproject or RPG_RT.ldb with its animation database</source>
        <translation>%s はRPGツクールのゲームフォルダではありません（Game.rxproj、Game.rvproj、Game.rvproj2、Game.rpgproject、または RPG_RT.ldb とアニメーションのデータベースがありません）</translation>
    </message>
    <message>
        <source>%s is not an RPG Maker animation database (Animations.rxdata, .rvdata, .rvdata2, Animations.json or RPG_RT.ldb)</source>
        <translation>%s はRPGツクールのアニメーションのデータベース（Animations.rxdata、.rvdata、.rvdata2、Animations.json、RPG_RT.ldb）ではありません</translation>
    </message>
    <message>
        <source>The animation database could not be read: %s</source>
        <translation>アニメーションのデータベースを読み込めませんでした: %s</translation>
    </message>
    <message>
        <source>The animation database %s could not be read (%s). It will not be written.</source>
        <translation>アニメーションのデータベース %s を読み込めませんでした（%s）。このファイルには書き込みません。</translation>
    </message>
    <message>
        <source>No game is open</source>
        <translation>ゲームが開かれていません</translation>
    </message>
    <message>
        <source>Animation %s could not be read: %s</source>
        <translation>アニメーション %s を読み込めませんでした: %s</translation>
    </message>
    <message>
        <source>Animation %s could not be written: %s</source>
        <translation>アニメーション %s を書き込めませんでした: %s</translation>
    </message>
    <message>
        <source>The new animation database did not read back (%s). Nothing was written.</source>
        <translation>新しいアニメーションのデータベースを読み直せませんでした（%s）。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>The animation database %s was changed on disk since the game was opened (by RPG Maker or another program). Nothing was written; open the game again.</source>
        <translation>アニメーションのデータベース %s は、ゲームを開いた後に（RPGツクールか他のプログラムで）変更されています。何も書き込んでいません。ゲームを開き直してください。</translation>
    </message>
    <message>
        <source>The backup copy of %s could not be made (%s). Nothing was written.</source>
        <translation>%s のバックアップを作れませんでした（%s）。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>The animation database %s could not be written (%s). It was left as it was.</source>
        <translation>アニメーションのデータベース %s に書き込めませんでした（%s）。ファイルは元のままです。</translation>
    </message>
    <message>
        <source>Picture %s was not found (tried %s)</source>
        <translation>画像 %s が見つかりません（探した場所: %s）</translation>
    </message>
    <message>
        <source>Sound %s was not found (tried %s)</source>
        <translation>SE %s が見つかりません（探した場所: %s）</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>RPG Maker animation databases</source>
        <translation>RPGツクールのアニメーションのデータベース</translation>
    </message>
</context>
<context>
    <name>InterchangeMessages</name>
    <message>
        <source>Imported from the clipboard (%s)</source>
        <translation>クリップボードから読み込みました (%s)</translation>
    </message>
    <message>
        <source>Could not import from the clipboard (%s)</source>
        <translation>クリップボードから読み込めませんでした (%s)</translation>
    </message>
    <message>
        <source>Copied to the clipboard (%s)</source>
        <translation>クリップボードにコピーしました (%s)</translation>
    </message>
    <message>
        <source>Could not copy to the clipboard (%s)</source>
        <translation>クリップボードにコピーできませんでした (%s)</translation>
    </message>
    <message>
        <source>RPG Maker 2000 battle animation</source>
        <translation>RPGツクール2000 戦闘アニメーション</translation>
    </message>
    <message>
        <source>RPG Maker XP battle animation</source>
        <translation>RPGツクールXP アニメーション</translation>
    </message>
    <message>
        <source>RPG Maker VX battle animation</source>
        <translation>RPGツクールVX アニメーション</translation>
    </message>
    <message>
        <source>RPG Maker VX Ace battle animation</source>
        <translation>RPGツクールVX Ace アニメーション</translation>
    </message>
    <message>
        <source>RPG Maker XP / VX / VX Ace battle animation</source>
        <translation>RPGツクールXP / VX / VX Ace アニメーション</translation>
    </message>
    <message>
        <source>RPG Maker MV battle animation</source>
        <translation>RPGツクールMV アニメーション</translation>
    </message>
</context>
<context>
    <name>ListsTexts</name>
    <message>
        <source>Open a file</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>リスト</translation>
    </message>
    <message>
        <source>Pictures,Sounds and flashes,Timeline</source>
        <translation>画像,SEとフラッシュ,タイムライン</translation>
    </message>
    <message>
        <source>No.,File,Patterns,Hue,Division</source>
        <translation>番号,ファイル,パターン,色相,分割</translation>
    </message>
    <message>
        <source>Frame,Sound effect,Volume / pitch / pan,Flash,User data</source>
        <translation>フレーム,SE,音量 / ピッチ / 位相,フラッシュ,ユーザーデータ</translation>
    </message>
    <message>
        <source>By number of patterns,By pattern size</source>
        <translation>パターン数で指定,パターンサイズで指定</translation>
    </message>
    <message>
        <source>Screen,Target</source>
        <translation>画面,対象</translation>
    </message>
    <message>
        <source>Normal,Add,Subtract,Multiply</source>
        <translation>通常,加算,減算,乗算</translation>
    </message>
    <message>
        <source>Could not open the file: %s</source>
        <translation>ファイルを開けませんでした: %s</translation>
    </message>
    <message>
        <source>Palette: picture %02d</source>
        <translation>パレット: 画像 %02d</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>再読み込み</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新規</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Insert in-between cells</source>
        <translation>中間セルを挿入</translation>
    </message>
    <message>
        <source>Tween</source>
        <translation>中間補完</translation>
    </message>
    <message>
        <source>Batch</source>
        <translation>一括編集</translation>
    </message>
    <message>
        <source>Set play range</source>
        <translation>再生範囲に設定</translation>
    </message>
    <message>
        <source>Set drag range</source>
        <translation>ドラッグ範囲に設定</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>Start frame</source>
        <translation>開始フレーム</translation>
    </message>
    <message>
        <source>Sound effect</source>
        <translation>SE</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Sound effects (*.wav *.ogg *.mp3 *.wmv);;All files (*)</source>
        <translation>SE (*.wav *.ogg *.mp3 *.wmv);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Pitch</source>
        <translation>ピッチ</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>位相</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>フラッシュ</translation>
    </message>
    <message>
        <source>Frames:</source>
        <translation>フレーム数:</translation>
    </message>
    <message>
        <source>Target:</source>
        <translation>対象:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Blend:</source>
        <translation>合成方法:</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>赤</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>緑</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>青</translation>
    </message>
    <message>
        <source>Strength</source>
        <translation>強さ</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>User data (up to 255 bytes)</source>
        <translation>ユーザーデータ (255 バイトまで)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Pictures (*.png *.bmp *.gif *.xyz);;All files (*)</source>
        <translation>画像 (*.png *.bmp *.gif *.xyz);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Divide</source>
        <translation>分割</translation>
    </message>
    <message>
        <source>Patterns across, down</source>
        <translation>パターン数 (横, 縦)</translation>
    </message>
    <message>
        <source>Hue (degrees)</source>
        <translation>色相 (度)</translation>
    </message>
    <message>
        <source>25%,50%,100%,200%,400%</source>
        <translation>25%,50%,100%,200%,400%</translation>
    </message>
    <message>
        <source>Check pattern sheet...</source>
        <translation>パターンシートを検査...</translation>
    </message>
    <message>
        <source>(new timing)</source>
        <translation>(新しいタイミング)</translation>
    </message>
    <message>
        <source>Not found. Looked in %s for: %s</source>
        <translation>見つかりません。%s で次の名前を探しました: %s</translation>
    </message>
    <message>
        <source>Could not be loaded: %s</source>
        <translation>読み込めませんでした: %s</translation>
    </message>
    <message>
        <source>Stored with its full path: it lies outside the animation&apos;s folder</source>
        <translation>フルパスで保存されています (アニメーションのフォルダーの外にあります)</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>上へ移動</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>下へ移動</translation>
    </message>
    <message>
        <source>Could not play %s: %s</source>
        <translation>%s を再生できませんでした: %s</translation>
    </message>
</context>
<context>
    <name>MessageCaptions</name>
    <message>
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
</context>
<context>
    <name>UiMessages</name>
    <message>
        <source>PelkoEditor</source>
        <translation>PelkoEditor</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <source>Opened %s</source>
        <translation>%s を開きました</translation>
    </message>
    <message>
        <source>Saved %s</source>
        <translation>%s を保存しました</translation>
    </message>
    <message>
        <source>The animation has unsaved changes.
Do you want to save it?</source>
        <translation>アニメーションに保存していない変更があります。
保存しますか？</translation>
    </message>
    <message>
        <source>Could not create the folder
%s</source>
        <translation>フォルダを作成できませんでした
%s</translation>
    </message>
    <message>
        <source>Animations (*.txt *.dat)</source>
        <translation>アニメーション (*.txt *.dat)</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Could not write the backup copy %s</source>
        <translation>バックアップ %s を書き込めませんでした</translation>
    </message>
    <message>
        <source>The folder %s does not exist</source>
        <translation>フォルダ %s がありません</translation>
    </message>
    <message>
        <source>Could not open the file.
%s
%s</source>
        <translation>ファイルを開けませんでした。
%s
%s</translation>
    </message>
    <message>
        <source>The clipboard could not be imported.
%s</source>
        <translation>クリップボードから読み込めませんでした。
%s</translation>
    </message>
    <message>
        <source>GIF animations (*.gif)</source>
        <translation>GIF アニメ (*.gif)</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG 画像 (*.png)</translation>
    </message>
    <message>
        <source>%s: %d frames from the GIF, pattern sheet %s</source>
        <translation>%s: GIF から %d フレーム、パターンシート %s</translation>
    </message>
    <message>
        <source>The GIF could not be imported.
%s</source>
        <translation>GIF を取り込めませんでした。
%s</translation>
    </message>
    <message>
        <source>The GIF&apos;s frames (%d x %d) are larger than a pattern: the sheet holds them scaled down and the cells show them at %d %%.</source>
        <translation>GIF のフレーム (%d x %d) がパターンより大きいため、シートには縮小して収め、セルは %d %% で表示します。</translation>
    </message>
    <message>
        <source>Could not open %s: %s</source>
        <translation>%s を開けませんでした: %s</translation>
    </message>
    <message>
        <source>Could not save %s: %s</source>
        <translation>%s を保存できませんでした: %s</translation>
    </message>
    <message>
        <source>Could not save the file.
%s
%s</source>
        <translation>ファイルを保存できませんでした。
%s
%s</translation>
    </message>
    <message>
        <source>%s, but not all of it: %d kinds of things were left out or changed</source>
        <translation>%s。ただし一部は書き出せませんでした: %d 種類の内容を省いたか変更しました</translation>
    </message>
    <message>
        <source>The animation could not be copied to the clipboard.
%s</source>
        <translation>アニメーションをクリップボードにコピーできませんでした。
%s</translation>
    </message>
</context>
<context>
    <name>cCanvas</name>
    <message>
        <source>Canvas</source>
        <translation>キャンバス</translation>
    </message>
    <message>
        <source>Canvas drawing area</source>
        <translation>キャンバスの描画領域</translation>
    </message>
    <message>
        <source>Canvas horizontal scroll bar</source>
        <translation>キャンバスの横スクロールバー</translation>
    </message>
    <message>
        <source>Canvas vertical scroll bar</source>
        <translation>キャンバスの縦スクロールバー</translation>
    </message>
    <message>
        <source>Canvas menu</source>
        <translation>キャンバスのメニュー</translation>
    </message>
    <message>
        <source>Drag: rotate the cell about its position. Shift: no snapping</source>
        <translation>ドラッグ: セルをその位置を中心に回転。Shift: スナップなし</translation>
    </message>
    <message>
        <source>Rotate: drag a cell to turn it. Tab: next cell, right click: menu</source>
        <translation>回転: セルをドラッグして回す。Tab: 次のセル、右クリック: メニュー</translation>
    </message>
    <message>
        <source>Drag: scale the cell about its position. Shift: no snapping</source>
        <translation>ドラッグ: セルをその位置を中心に拡大縮小。Shift: スナップなし</translation>
    </message>
    <message>
        <source>Scale: drag a cell to scale it. Tab: next cell, right click: menu</source>
        <translation>拡大縮小: セルをドラッグして大きさを変える。Tab: 次のセル、右クリック: メニュー</translation>
    </message>
    <message>
        <source>Pivot: drag a band to set the pivot, then click to rotate and scale the selected cells about it</source>
        <translation>中心点: 範囲をドラッグして中心点を決め、クリックで選択セルをその点を中心に回転・拡大縮小</translation>
    </message>
    <message>
        <source>Spline: drag a band from the current cell to the end point, then click the control point</source>
        <translation>スプライン: 現在のセルから終点まで範囲をドラッグし、制御点をクリック</translation>
    </message>
    <message>
        <source>Drag: move the cell. Hold %1 to rotate, %2 to scale, Shift: no snapping, Ctrl+click: add to the selection</source>
        <translation>ドラッグ: セルを移動。%1 を押したままで回転、%2 で拡大縮小、Shift: スナップなし、Ctrl+クリック: 選択に追加</translation>
    </message>
    <message>
        <source>Move: click a cell to select it, drag it to move it. Tab: next cell, right click: menu, middle drag: pan</source>
        <translation>移動: クリックでセルを選択、ドラッグで移動。Tab: 次のセル、右クリック: メニュー、中ボタンドラッグ: 表示の移動</translation>
    </message>
    <message>
        <source>Cell %1 selected (Tab: next cell, Shift+Tab: previous cell)</source>
        <translation>セル %1 を選択しました (Tab: 次のセル、Shift+Tab: 前のセル)</translation>
    </message>
    <message>
        <source>No cell selected: click a cell or press Tab to pick one</source>
        <translation>セルが選択されていません: セルをクリックするか Tab で選んでください</translation>
    </message>
    <message>
        <source>Moved 1 cell by %1, %2</source>
        <translation>1 個のセルを %1, %2 移動しました</translation>
    </message>
    <message>
        <source>Moved %1 cells by %2, %3</source>
        <translation>%1 個のセルを %2, %3 移動しました</translation>
    </message>
</context>
<context>
    <name>cDlg_About</name>
    <message>
        <source>Version %1</source>
        <translation>バージョン %1</translation>
    </message>
    <message>
        <source>About PelkoEditor</source>
        <translation>PelkoEditor について</translation>
    </message>
    <message>
        <source>Program name</source>
        <translation>プログラム名</translation>
    </message>
    <message>
        <source>Program version</source>
        <translation>プログラムのバージョン</translation>
    </message>
    <message>
        <source>An editor for the battle animations of RPG Maker 2000, XP, VX, VX Ace and MV.</source>
        <translation>RPGツクール2000、XP、VX、VX Ace、MV の戦闘アニメーションのエディタです。</translation>
    </message>
</context>
<context>
    <name>cDlg_Batch</name>
    <message>
        <source>Frames</source>
        <translation>フレーム</translation>
    </message>
    <message>
        <source>Cell numbers</source>
        <translation>セル番号</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>演算</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>What to change</source>
        <translation>変更する範囲</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>変更内容</translation>
    </message>
</context>
<context>
    <name>cDlg_Cell</name>
    <message>
        <source>Red</source>
        <translation>赤</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>緑</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>青</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>彩度</translation>
    </message>
    <message>
        <source>Cell %1 on frame %2</source>
        <translation>セル %1 (フレーム %2)</translation>
    </message>
    <message>
        <source>Cell</source>
        <translation>セル</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>画像</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>パターン</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Horizontal scale</source>
        <translation>横の拡大率</translation>
    </message>
    <message>
        <source>Vertical scale</source>
        <translation>縦の拡大率</translation>
    </message>
    <message>
        <source>Angle in tenths of a degree</source>
        <translation>角度 (0.1 度単位)</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>不透明度</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>反転</translation>
    </message>
    <message>
        <source>Blend</source>
        <translation>合成方法</translation>
    </message>
    <message>
        <source>&amp;X</source>
        <translation>X(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Y</source>
        <translation>Y(&amp;Y)</translation>
    </message>
    <message>
        <source>Scale &amp;H (%)</source>
        <translation>横の拡大率 (%)(&amp;H)</translation>
    </message>
    <message>
        <source>Scale &amp;V (%)</source>
        <translation>縦の拡大率 (%)(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Angle (0.1 degree)</source>
        <translation>角度 (0.1 度)(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Opacity</source>
        <translation>不透明度(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Blend</source>
        <translation>合成方法(&amp;B)</translation>
    </message>
    <message>
        <source>Copy from previous frame (&amp;,)</source>
        <translation>前のフレームからコピー(&amp;,)</translation>
    </message>
    <message>
        <source>Copy from previous frame</source>
        <translation>前のフレームからコピー</translation>
    </message>
    <message>
        <source>Copy from next frame (&amp;.)</source>
        <translation>次のフレームからコピー(&amp;.)</translation>
    </message>
    <message>
        <source>Copy from next frame</source>
        <translation>次のフレームからコピー</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>詳細(&amp;D)</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>詳細</translation>
    </message>
    <message>
        <source>Tone (0 to 200 %, 100 % = unchanged)</source>
        <translation>色調 (0 ～ 200 %、100 % で変化なし)</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>色調</translation>
    </message>
    <message>
        <source>Tone as hexadecimal ssrrggbb</source>
        <translation>色調 (16 進数 ssrrggbb)</translation>
    </message>
    <message>
        <source>&amp;Code (ssrrggbb)</source>
        <translation>コード (ssrrggbb)(&amp;C)</translation>
    </message>
    <message>
        <source>R&amp;eset</source>
        <translation>リセット(&amp;E)</translation>
    </message>
    <message>
        <source>Reset the tone</source>
        <translation>色調をリセット</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>cDlg_CellNumberChooser</name>
    <message>
        <source>Cell number</source>
        <translation>セル番号</translation>
    </message>
</context>
<context>
    <name>cDlg_Export</name>
    <message>
        <source>Area</source>
        <translation>範囲</translation>
    </message>
    <message>
        <source>Area to export</source>
        <translation>出力する範囲</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>上</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Left, top</source>
        <translation>左, 上</translation>
    </message>
    <message>
        <source>Width, height</source>
        <translation>幅, 高さ</translation>
    </message>
    <message>
        <source>Background colour</source>
        <translation>背景色</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>出力</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>The export could not be started.</source>
        <translation>出力を開始できませんでした。</translation>
    </message>
</context>
<context>
    <name>cDlg_ExportGif</name>
    <message>
        <source>Ticks per second</source>
        <translation>1 秒あたりのフレーム数</translation>
    </message>
    <message>
        <source>At least 6/100 s per step</source>
        <translation>1 コマを 6/100 秒以上にする</translation>
    </message>
    <message>
        <source>Transparent background</source>
        <translation>背景を透明にする</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>拡大率</translation>
    </message>
    <message>
        <source>Flashes</source>
        <translation>フラッシュ</translation>
    </message>
    <message>
        <source>Target picture</source>
        <translation>対象画像</translation>
    </message>
    <message>
        <source>Write whole frames</source>
        <translation>フレーム全体を書き込む</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>ticks per second</source>
        <translation>フレーム / 秒</translation>
    </message>
    <message>
        <source>File format</source>
        <translation>ファイル形式</translation>
    </message>
    <message>
        <source>Animated GIF</source>
        <translation>GIF アニメ</translation>
    </message>
    <message>
        <source>Animated PNG</source>
        <translation>PNG アニメ (APNG)</translation>
    </message>
    <message>
        <source>Animated WebP</source>
        <translation>WebP アニメ</translation>
    </message>
    <message>
        <source>Lossy</source>
        <translation>非可逆圧縮</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>品質</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>形式</translation>
    </message>
    <message>
        <source>Transparent background (full alpha)</source>
        <translation>背景を透明にする (アルファ付き)</translation>
    </message>
</context>
<context>
    <name>cDlg_ExportPng</name>
    <message>
        <source>One sheet</source>
        <translation>1 枚にまとめる</translation>
    </message>
    <message>
        <source>Fixed columns</source>
        <translation>列数を固定</translation>
    </message>
    <message>
        <source>Fixed rows</source>
        <translation>行数を固定</translation>
    </message>
    <message>
        <source>Columns or rows</source>
        <translation>列数または行数</translation>
    </message>
    <message>
        <source>Fill rows first</source>
        <translation>横に並べる</translation>
    </message>
    <message>
        <source>Fill columns first</source>
        <translation>縦に並べる</translation>
    </message>
    <message>
        <source>Repeat frames by their interval</source>
        <translation>間隔の分だけフレームを繰り返す</translation>
    </message>
    <message>
        <source>Keep transparency</source>
        <translation>透明度を保つ</translation>
    </message>
    <message>
        <source>Count:</source>
        <translation>数:</translation>
    </message>
</context>
<context>
    <name>cDlg_FrameComp</name>
    <message>
        <source>Cell numbers</source>
        <translation>セル番号</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Start frame</source>
        <translation>開始フレーム</translation>
    </message>
    <message>
        <source>End frame</source>
        <translation>終了フレーム</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>方法</translation>
    </message>
    <message>
        <source>to</source>
        <translation>～</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>フレーム</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>拡大率</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>不透明度</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>色調</translation>
    </message>
    <message>
        <source>Easing</source>
        <translation>イージング</translation>
    </message>
    <message>
        <source>Easing of %1</source>
        <translation>%1 のイージング</translation>
    </message>
    <message>
        <source>Full turns</source>
        <translation>回転をそのまま</translation>
    </message>
    <message>
        <source>Angles turn the whole way as stored, not the shorter way</source>
        <translation>角度を近い向きではなく、記録された値のとおりに回転させる</translation>
    </message>
    <message>
        <source>Easing curve</source>
        <translation>イージングカーブ</translation>
    </message>
    <message>
        <source>Control point %1</source>
        <translation>制御点 %1</translation>
    </message>
    <message>
        <source>Curve of %1</source>
        <translation>%1 のカーブ</translation>
    </message>
</context>
<context>
    <name>cDlg_GifDraft</name>
    <message>
        <source>GIF draft centre x</source>
        <translation>GIF 下書きの中心 x</translation>
    </message>
    <message>
        <source>GIF draft centre y</source>
        <translation>GIF 下書きの中心 y</translation>
    </message>
</context>
<context>
    <name>cDlg_Help</name>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>キーボードショートカット</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>キー</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>コマンド</translation>
    </message>
    <message>
        <source>Mouse gestures</source>
        <translation>マウス操作</translation>
    </message>
    <message>
        <source>Gesture</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>What it does</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>Click a cell</source>
        <translation>セルをクリック</translation>
    </message>
    <message>
        <source>Selects it and makes it the current cell</source>
        <translation>選択して現在のセルにする</translation>
    </message>
    <message>
        <source>Ctrl+click a cell</source>
        <translation>セルを Ctrl+クリック</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Adds it to the selection or takes it out</source>
        <translation>選択に加える、または選択から外す</translation>
    </message>
    <message>
        <source>Drag a cell (Move tool)</source>
        <translation>セルをドラッグ (移動ツール)</translation>
    </message>
    <message>
        <source>Shift: no snapping</source>
        <translation>Shift: スナップなし</translation>
    </message>
    <message>
        <source>Moves the selected cells</source>
        <translation>選択したセルを移動</translation>
    </message>
    <message>
        <source>Drag a cell holding %1</source>
        <translation>%1 を押したままセルをドラッグ</translation>
    </message>
    <message>
        <source>Rotates the cell about its position</source>
        <translation>セルをその位置を中心に回転</translation>
    </message>
    <message>
        <source>Scales the cell about its position</source>
        <translation>セルをその位置を中心に拡大縮小</translation>
    </message>
    <message>
        <source>Drag a cell (Rotate tool)</source>
        <translation>セルをドラッグ (回転ツール)</translation>
    </message>
    <message>
        <source>Drag a cell (Scale tool)</source>
        <translation>セルをドラッグ (拡大縮小ツール)</translation>
    </message>
    <message>
        <source>Drag a band, then click (Pivot tool)</source>
        <translation>範囲をドラッグしてクリック (中心点ツール)</translation>
    </message>
    <message>
        <source>Sets a pivot, then rotates and scales the selected cells about it</source>
        <translation>中心点を決め、選択セルをその点を中心に回転・拡大縮小</translation>
    </message>
    <message>
        <source>Drag a band, then click (Spline tool)</source>
        <translation>範囲をドラッグしてクリック (スプラインツール)</translation>
    </message>
    <message>
        <source>Moves the current cell along a curve</source>
        <translation>現在のセルを曲線に沿って動かす</translation>
    </message>
    <message>
        <source>Drag a pattern from the palette</source>
        <translation>パレットからパターンをドラッグ</translation>
    </message>
    <message>
        <source>Places a new cell, or changes the cell dropped on</source>
        <translation>新しいセルを置く、またはドロップ先のセルを変える</translation>
    </message>
    <message>
        <source>Right click</source>
        <translation>右クリック</translation>
    </message>
    <message>
        <source>Menu key, Shift+F10</source>
        <translation>メニューキー、Shift+F10</translation>
    </message>
    <message>
        <source>Opens the canvas menu (at the current cell)</source>
        <translation>キャンバスのメニューを開く (現在のセルの位置に)</translation>
    </message>
    <message>
        <source>Middle drag</source>
        <translation>中ボタンドラッグ</translation>
    </message>
    <message>
        <source>Pans the view (double-click: back to the origin)</source>
        <translation>表示を移動 (ダブルクリック: 原点に戻す)</translation>
    </message>
    <message>
        <source>Wheel</source>
        <translation>ホイール</translation>
    </message>
    <message>
        <source>Ctrl+wheel</source>
        <translation>Ctrl+ホイール</translation>
    </message>
    <message>
        <source>Scrolls; with Ctrl zooms about the pointer</source>
        <translation>スクロール。Ctrl でポインタを中心に拡大縮小</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Shift+Tab</source>
        <translation>Shift+Tab</translation>
    </message>
    <message>
        <source>Arrow keys</source>
        <translation>矢印キー</translation>
    </message>
    <message>
        <source>Shift+arrow</source>
        <translation>Shift+矢印</translation>
    </message>
    <message>
        <source>Move the selected cells by one pixel (by the position step)</source>
        <translation>選択したセルを 1 ドット (位置のスナップ幅) ずつ移動</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Cancels a drag or stops playback</source>
        <translation>ドラッグを取り消す、または再生を止める</translation>
    </message>
    <message>
        <source>The status bar names what a drag does where the pointer is. The user guide (docs/guide.md) and the docs folder describe every window.</source>
        <translation>ステータスバーにはポインタの位置でドラッグすると何が起きるかが表示されます。各ウィンドウの説明はユーザーガイド (docs/guide.md) と docs フォルダにあります。</translation>
    </message>
    <message>
        <source>Makes the next (previous) cell of the frame the current one; after the last cell (before the first) moves on to the next (previous) control</source>
        <translation>フレームの次 (前) のセルを現在のセルにする。最後のセルの次 (最初のセルの前) では次 (前) の項目へ移る</translation>
    </message>
    <message>
        <source>Ctrl+Tab</source>
        <translation>Ctrl+Tab</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Tab</source>
        <translation>Ctrl+Shift+Tab</translation>
    </message>
    <message>
        <source>Leaves the canvas for the next (previous) control</source>
        <translation>キャンバスから次 (前) の項目へ移る</translation>
    </message>
</context>
<context>
    <name>cDlg_Lock</name>
    <message>
        <source>Cell numbers and pictures</source>
        <translation>セル番号と画像</translation>
    </message>
    <message>
        <source>Cell number</source>
        <translation>セル番号</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>画像</translation>
    </message>
    <message>
        <source>Picture number</source>
        <translation>画像番号</translation>
    </message>
    <message>
        <source>&lt;&lt; Picture number</source>
        <translation>&lt;&lt; 画像番号</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Lock table stored: %1 cell numbers changed</source>
        <translation>画像固定表を反映しました: セル番号 %1 個を変更</translation>
    </message>
    <message>
        <source>The lock table is unchanged</source>
        <translation>画像固定表は変わっていません</translation>
    </message>
</context>
<context>
    <name>cDlg_LockCell</name>
    <message>
        <source>Picture of cell number %1</source>
        <translation>セル番号 %1 の画像</translation>
    </message>
    <message>
        <source>Picture number</source>
        <translation>画像番号</translation>
    </message>
    <message>
        <source>Cell number %1 locked to picture %2</source>
        <translation>セル番号 %1 を画像 %2 に固定しました</translation>
    </message>
    <message>
        <source>The lock of cell number %1 is unchanged</source>
        <translation>セル番号 %1 の画像固定は変わっていません</translation>
    </message>
</context>
<context>
    <name>cDlg_PatternSheet</name>
    <message>
        <source>Any (this editor&apos;s limits)</source>
        <translation>指定なし (このエディタの上限)</translation>
    </message>
    <message>
        <source>RPG Maker 2000 / 2003</source>
        <translation>RPG ツクール 2000 / 2003</translation>
    </message>
    <message>
        <source>RPG Maker XP</source>
        <translation>RPG ツクール XP</translation>
    </message>
    <message>
        <source>RPG Maker VX</source>
        <translation>RPG ツクール VX</translation>
    </message>
    <message>
        <source>RPG Maker VX Ace</source>
        <translation>RPG ツクール VX Ace</translation>
    </message>
    <message>
        <source>RPG Maker MV</source>
        <translation>RPG ツクール MV</translation>
    </message>
    <message>
        <source>Pattern sheet</source>
        <translation>パターンシート</translation>
    </message>
    <message>
        <source>Product</source>
        <translation>対象ソフト</translation>
    </message>
    <message>
        <source>Pattern size</source>
        <translation>パターンの大きさ</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Patterns a row</source>
        <translation>1 行のパターン数</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>入力</translation>
    </message>
    <message>
        <source>&amp;Add pictures...</source>
        <translation>画像を追加(&amp;A)...</translation>
    </message>
    <message>
        <source>Add &amp;folder...</source>
        <translation>フォルダを追加(&amp;F)...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>取り除く(&amp;R)</translation>
    </message>
    <message>
        <source>Pictures (*.png *.bmp *.gif *.xyz)</source>
        <translation>画像 (*.png *.bmp *.gif *.xyz)</translation>
    </message>
    <message>
        <source>Cut pictures into frames of</source>
        <translation>画像をフレームに切り分ける:</translation>
    </message>
    <message>
        <source>Cut pictures into frames (a sprite strip)</source>
        <translation>画像をフレームに切り分ける (スプライト帯)</translation>
    </message>
    <message>
        <source>Frame width</source>
        <translation>フレームの幅</translation>
    </message>
    <message>
        <source>Frame height</source>
        <translation>フレームの高さ</translation>
    </message>
    <message>
        <source>picture height</source>
        <translation>画像の高さ</translation>
    </message>
    <message>
        <source>Trim each frame to its opaque pixels, then centre it</source>
        <translation>各フレームを不透明な部分に切り詰めてから中央に置く</translation>
    </message>
    <message>
        <source>Trim frames</source>
        <translation>フレームを切り詰める</translation>
    </message>
    <message>
        <source>&amp;Build</source>
        <translation>作成(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>保存(&amp;S)...</translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation>シート</translation>
    </message>
    <message>
        <source>What was done</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>Picture to check</source>
        <translation>検査する画像</translation>
    </message>
    <message>
        <source>C&amp;hoose...</source>
        <translation>選択(&amp;H)...</translation>
    </message>
    <message>
        <source>&amp;Check</source>
        <translation>検査(&amp;C)</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>検査結果</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>作成</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>検査</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>this editor</source>
        <translation>このエディタ</translation>
    </message>
    <message>
        <source>Add the pictures, folders or GIFs that hold the frames.</source>
        <translation>フレームを含む画像、フォルダ、GIF を追加してください。</translation>
    </message>
    <message>
        <source>Nothing built: %1</source>
        <translation>作成できませんでした: %1</translation>
    </message>
    <message>
        <source>%1 patterns of %2 x %3, %4 a row: a sheet of %5 x %6 pixels.</source>
        <translation>%2 x %3 のパターン %1 個、1 行に %4 個: %5 x %6 ピクセルのシート。</translation>
    </message>
    <message>
        <source>%1 patterns are more than %2 reads in one picture.</source>
        <translation>%1 個のパターンは %2 が 1 枚の画像で読める数を超えています。</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG 画像 (*.png)</translation>
    </message>
    <message>
        <source>The sheet could not be written.
%1
%2</source>
        <translation>シートを書き込めませんでした。
%1
%2</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 を保存しました</translation>
    </message>
    <message>
        <source> as a palette picture of %1 colours</source>
        <translation> (%1 色のパレット画像)</translation>
    </message>
    <message>
        <source> in full colour (no palette: %1)</source>
        <translation> (フルカラー。パレットにできない理由: %1)</translation>
    </message>
    <message>
        <source>The picture is %1 x %2 pixels, not a multiple of the %3-pixel pattern: the strip at the right or bottom edge belongs to no pattern.</source>
        <translation>画像は %1 x %2 ピクセルで、%3 ピクセルのパターンの倍数ではありません。右端か下端の余りはどのパターンにも属しません。</translation>
    </message>
    <message>
        <source>The picture has %1 pattern columns; %2 places %3 patterns a row, so patterns in the missing columns show nothing.</source>
        <translation>画像のパターンは %1 列です。%2 は 1 行に %3 個並べるため、足りない列のパターンは何も表示されません。</translation>
    </message>
    <message>
        <source>The picture has %1 pattern columns; %2 uses %3 a row, so the patterns past column %3 are never shown.</source>
        <translation>画像のパターンは %1 列です。%2 は 1 行に %3 個使うため、%3 列より右のパターンは表示されません。</translation>
    </message>
    <message>
        <source>The picture holds %1 patterns; %2 reads at most %3.</source>
        <translation>画像のパターンは %1 個です。%2 が読めるのは %3 個までです。</translation>
    </message>
    <message>
        <source>The picture has %1 colours; %2 reads palette pictures of %3 colours beside the transparent one.</source>
        <translation>画像は %1 色です。%2 が読めるのは透明色のほかに %3 色までのパレット画像です。</translation>
    </message>
    <message>
        <source>%1 pixels are partly transparent; %2 shows a pixel either transparent or opaque.</source>
        <translation>半透明の画素が %1 個あります。%2 は画素を透明か不透明のどちらかで表示します。</translation>
    </message>
    <message>
        <source>The picture is stored with %1 bits a pixel; %2 reads palette (8-bit) pictures.</source>
        <translation>画像は 1 画素 %1 ビットで保存されています。%2 が読めるのはパレット (8 ビット) 画像です。</translation>
    </message>
    <message>
        <source>Could not read %1</source>
        <translation>%1 を読み込めませんでした</translation>
    </message>
    <message>
        <source>%1 reads this picture as a pattern sheet without trouble.</source>
        <translation>%1 はこの画像を問題なくパターンシートとして読めます。</translation>
    </message>
    <message>
        <source>Pattern %1 (%2)</source>
        <translation>パターン %1 (%2)</translation>
    </message>
    <message>
        <source>Patterns %1 to %2 (%3 to %4)</source>
        <translation>パターン %1～%2 (%3～%4)</translation>
    </message>
    <message>
        <source>%1 scaled down from %2 x %3 to %4 x %5.</source>
        <translation>%1 を %2 x %3 から %4 x %5 に縮小しました。</translation>
    </message>
    <message>
        <source>%1: no opaque pixel, left empty.</source>
        <translation>%1: 不透明な画素がないため空のままです。</translation>
    </message>
</context>
<context>
    <name>cDlg_Progress</name>
    <message>
        <source>Export progress</source>
        <translation>出力の進行状況</translation>
    </message>
    <message>
        <source>Pictures done</source>
        <translation>出力済みの画像</translation>
    </message>
</context>
<context>
    <name>cDlg_Project</name>
    <message>
        <source>Project settings</source>
        <translation>プロジェクトの設定</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>User data</source>
        <translation>ユーザーデータ</translation>
    </message>
    <message>
        <source>Anchor</source>
        <translation>基準位置</translation>
    </message>
    <message>
        <source>Save format</source>
        <translation>保存形式</translation>
    </message>
    <message>
        <source>Frame interval</source>
        <translation>フレーム間隔</translation>
    </message>
    <message>
        <source>Total length</source>
        <translation>全体の長さ</translation>
    </message>
    <message>
        <source>&lt;&lt; Calculate</source>
        <translation>&lt;&lt; 計算</translation>
    </message>
    <message>
        <source>Calculate the total length</source>
        <translation>全体の長さを計算</translation>
    </message>
    <message>
        <source>Cell numbers</source>
        <translation>セル番号</translation>
    </message>
    <message>
        <source>Divide pictures</source>
        <translation>画像の分割方法</translation>
    </message>
    <message>
        <source>Lock each cell number to one picture</source>
        <translation>セル番号ごとに画像を固定する</translation>
    </message>
    <message>
        <source>Edit rule</source>
        <translation>編集ルール</translation>
    </message>
    <message>
        <source>Project settings applied</source>
        <translation>プロジェクトの設定を反映しました</translation>
    </message>
    <message>
        <source>The project settings are unchanged</source>
        <translation>プロジェクトの設定は変わっていません</translation>
    </message>
</context>
<context>
    <name>cDlg_Recovery</name>
    <message>
        <source>Animation %1 of the game in %2</source>
        <translation>ゲーム %2 のアニメーション %1</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>(not known)</source>
        <translation>(不明)</translation>
    </message>
    <message>
        <source>%1: %2 (it could not be moved aside)</source>
        <translation>%1: %2 (別の場所に移せませんでした)</translation>
    </message>
    <message>
        <source>%1: %2 (moved to %3)</source>
        <translation>%1: %2 (%3 に移しました)</translation>
    </message>
    <message>
        <source>Recover unsaved work</source>
        <translation>保存されていない作業の復旧</translation>
    </message>
    <message>
        <source>The editor did not close normally. These documents had changes that were not saved; a copy of each was kept. Recover opens one of them, the others are offered again at the next start.</source>
        <translation>エディタが正常に終了しませんでした。次のドキュメントには保存されていない変更があり、それぞれのコピーが残っています。「復旧」で 1 つを開きます。ほかのものは次の起動時にもう一度表示されます。</translation>
    </message>
    <message>
        <source>Explanation</source>
        <translation>説明</translation>
    </message>
    <message>
        <source>Recovery copies</source>
        <translation>復旧用のコピー</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>ドキュメント</translation>
    </message>
    <message>
        <source>Copy made</source>
        <translation>コピーの日時</translation>
    </message>
    <message>
        <source>Last change</source>
        <translation>最後の変更</translation>
    </message>
    <message>
        <source>These recovery copies could not be read and were put aside:</source>
        <translation>次の復旧用のコピーは読み込めなかったため、別の場所に移しました:</translation>
    </message>
    <message>
        <source>Damaged copies</source>
        <translation>壊れたコピー</translation>
    </message>
    <message>
        <source>Recovery buttons</source>
        <translation>復旧のボタン</translation>
    </message>
    <message>
        <source>&amp;Recover</source>
        <translation>復旧(&amp;R)</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>復旧</translation>
    </message>
    <message>
        <source>&amp;Discard...</source>
        <translation>破棄(&amp;D)...</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>破棄</translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation>後で(&amp;L)</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>後で</translation>
    </message>
    <message>
        <source>Discard the recovery copy of %1? Its unsaved changes are lost for good.</source>
        <translation>%1 の復旧用のコピーを破棄しますか?
保存されていない変更は完全に失われます。</translation>
    </message>
    <message>
        <source>The recovery copy cannot be removed: %1</source>
        <translation>復旧用のコピーを削除できません: %1</translation>
    </message>
</context>
<context>
    <name>cDlg_SetEffect</name>
    <message>
        <source>Timing</source>
        <translation>タイミング</translation>
    </message>
    <message>
        <source>Timing %1</source>
        <translation>タイミング %1</translation>
    </message>
    <message>
        <source>Sound file</source>
        <translation>SE ファイル</translation>
    </message>
    <message>
        <source>Play the sound effect</source>
        <translation>SE を再生</translation>
    </message>
    <message>
        <source>Flash frames</source>
        <translation>フラッシュのフレーム数</translation>
    </message>
    <message>
        <source>Flash target</source>
        <translation>フラッシュの対象</translation>
    </message>
    <message>
        <source>Flash blend</source>
        <translation>フラッシュの合成方法</translation>
    </message>
    <message>
        <source>Clear the flash colour</source>
        <translation>フラッシュの色をクリア</translation>
    </message>
    <message>
        <source>Flash colour preview</source>
        <translation>フラッシュの色のプレビュー</translation>
    </message>
    <message>
        <source>User data</source>
        <translation>ユーザーデータ</translation>
    </message>
</context>
<context>
    <name>cDlg_SetInterval</name>
    <message>
        <source>Start frame</source>
        <translation>開始フレーム</translation>
    </message>
    <message>
        <source>End frame</source>
        <translation>終了フレーム</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>間隔</translation>
    </message>
    <message>
        <source>to</source>
        <translation>～</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>フレーム</translation>
    </message>
</context>
<context>
    <name>cDlg_SetPicture</name>
    <message>
        <source>Picture settings</source>
        <translation>画像の設定</translation>
    </message>
    <message>
        <source>Picture %1</source>
        <translation>画像 %1</translation>
    </message>
    <message>
        <source>Patterns across</source>
        <translation>横のパターン数</translation>
    </message>
    <message>
        <source>Patterns down</source>
        <translation>縦のパターン数</translation>
    </message>
    <message>
        <source> px wide</source>
        <translation> ドット (幅)</translation>
    </message>
    <message>
        <source> across</source>
        <translation> (横)</translation>
    </message>
    <message>
        <source> px high</source>
        <translation> ドット (高さ)</translation>
    </message>
    <message>
        <source> down</source>
        <translation> (縦)</translation>
    </message>
    <message>
        <source>Pattern width</source>
        <translation>パターンの幅</translation>
    </message>
    <message>
        <source>Pattern height</source>
        <translation>パターンの高さ</translation>
    </message>
</context>
<context>
    <name>cDlg_Settings</name>
    <message>
        <source>Editor settings</source>
        <translation>エディタの設定</translation>
    </message>
    <message>
        <source>Settings pages</source>
        <translation>設定のページ</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>フォルダ</translation>
    </message>
    <message>
        <source>New animations</source>
        <translation>新規アニメーション</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Working folder name</source>
        <translation>作業フォルダ名</translation>
    </message>
    <message>
        <source>Picture folder</source>
        <translation>画像フォルダ</translation>
    </message>
    <message>
        <source>Sound folder</source>
        <translation>SE フォルダ</translation>
    </message>
    <message>
        <source>Takes effect after restart</source>
        <translation>再起動後に有効になります</translation>
    </message>
    <message>
        <source>Transparent colour</source>
        <translation>透過色</translation>
    </message>
    <message>
        <source>Filling in copies</source>
        <translation>補完でコピーする項目</translation>
    </message>
    <message>
        <source>Make a backup copy when opening a file</source>
        <translation>ファイルを開くときにバックアップを作る</translation>
    </message>
    <message>
        <source>Settings of a new animation</source>
        <translation>新規アニメーションの設定</translation>
    </message>
    <message>
        <source>Frame interval</source>
        <translation>フレーム間隔</translation>
    </message>
    <message>
        <source>Cell numbers</source>
        <translation>セル番号</translation>
    </message>
    <message>
        <source>Anchor</source>
        <translation>基準位置</translation>
    </message>
    <message>
        <source>Divide pictures</source>
        <translation>画像の分割方法</translation>
    </message>
    <message>
        <source>Edit rule</source>
        <translation>編集ルール</translation>
    </message>
    <message>
        <source>Save format</source>
        <translation>保存形式</translation>
    </message>
    <message>
        <source>Lock each cell number to one picture</source>
        <translation>セル番号ごとに画像を固定する</translation>
    </message>
    <message>
        <source>Patterns across</source>
        <translation>横のパターン数</translation>
    </message>
    <message>
        <source>Patterns down</source>
        <translation>縦のパターン数</translation>
    </message>
    <message>
        <source>Patterns across, down</source>
        <translation>パターン数 (横, 縦)</translation>
    </message>
    <message>
        <source>Background colour</source>
        <translation>背景色</translation>
    </message>
    <message>
        <source>Centre lines</source>
        <translation>中心線</translation>
    </message>
    <message>
        <source>Colour (0xAARRGGBB)</source>
        <translation>色 (0xAARRGGBB)</translation>
    </message>
    <message>
        <source>Centre line colour</source>
        <translation>中心線の色</translation>
    </message>
    <message>
        <source>Centre area width</source>
        <translation>中心範囲の幅</translation>
    </message>
    <message>
        <source>Centre area height</source>
        <translation>中心範囲の高さ</translation>
    </message>
    <message>
        <source>Centre area width, height</source>
        <translation>中心範囲の幅, 高さ</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>グリッド</translation>
    </message>
    <message>
        <source>Grid colour</source>
        <translation>グリッドの色</translation>
    </message>
    <message>
        <source>Grid spacing</source>
        <translation>グリッドの間隔</translation>
    </message>
    <message>
        <source>Onion skins</source>
        <translation>前後のセル</translation>
    </message>
    <message>
        <source>Previous frame (0xAARRGGBB)</source>
        <translation>前のフレーム (0xAARRGGBB)</translation>
    </message>
    <message>
        <source>Previous frame colour</source>
        <translation>前のフレームの色</translation>
    </message>
    <message>
        <source>Next frame (0xAARRGGBB)</source>
        <translation>次のフレーム (0xAARRGGBB)</translation>
    </message>
    <message>
        <source>Next frame colour</source>
        <translation>次のフレームの色</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Automatic (as the desktop)</source>
        <translation>自動 (デスクトップに合わせる)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English (英語)</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>Seconds between recovery copies</source>
        <translation>復旧用のコピーの間隔 (秒)</translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>保存しない</translation>
    </message>
    <message>
        <source>Save a recovery copy every</source>
        <translation>復旧用のコピーの保存間隔</translation>
    </message>
    <message>
        <source>Game projects</source>
        <translation>ゲームプロジェクト</translation>
    </message>
    <message>
        <source>A game&apos;s pictures and sounds are looked for in the game&apos;s own folders first, then in the run-time package folder of its product (empty: not searched).</source>
        <translation>ゲームの画像とSEは、まずゲームのフォルダから、次にそのツクールのRTPのフォルダから探します（空欄なら探しません）。</translation>
    </message>
    <message>
        <source>RPG Maker 2000 run-time package</source>
        <translation>RPGツクール2000 のRTP</translation>
    </message>
    <message>
        <source>RPG Maker 2003 run-time package</source>
        <translation>RPGツクール2003 のRTP</translation>
    </message>
    <message>
        <source>RPG Maker XP run-time package</source>
        <translation>RPGツクールXP のRTP</translation>
    </message>
    <message>
        <source>RPG Maker VX run-time package</source>
        <translation>RPGツクールVX のRTP</translation>
    </message>
    <message>
        <source>RPG Maker VX Ace run-time package</source>
        <translation>RPGツクールVX Ace のRTP</translation>
    </message>
    <message>
        <source>RPG Maker MV run-time package</source>
        <translation>RPGツクールMV のRTP</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Choose the folder of %1</source>
        <translation>%1 のフォルダを選ぶ</translation>
    </message>
    <message>
        <source>Editor settings applied</source>
        <translation>エディタの設定を反映しました</translation>
    </message>
</context>
<context>
    <name>cDlg_Spline</name>
    <message>
        <source>Spline curve</source>
        <translation>スプライン曲線</translation>
    </message>
    <message>
        <source>Spline curve: cell %1</source>
        <translation>スプライン曲線: セル %1</translation>
    </message>
</context>
<context>
    <name>cDlg_Target</name>
    <message>
        <source>Target offset x</source>
        <translation>対象画像のずれ x</translation>
    </message>
    <message>
        <source>Target offset y</source>
        <translation>対象画像のずれ y</translation>
    </message>
</context>
<context>
    <name>cDlg_Tool</name>
    <message>
        <source>Run</source>
        <translation>実行</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>%1 cancelled</source>
        <translation>%1 をキャンセルしました</translation>
    </message>
</context>
<context>
    <name>cFileRow</name>
    <message>
        <source>Choose a file</source>
        <translation>ファイルを選ぶ</translation>
    </message>
</context>
<context>
    <name>cGameCommands</name>
    <message>
        <source>Open game project...</source>
        <translation>ゲームプロジェクトを開く...</translation>
    </message>
    <message>
        <source>Game window</source>
        <translation>ゲームウィンドウ</translation>
    </message>
    <message>
        <source>Save to game as new animation</source>
        <translation>ゲームに新しいアニメーションとして保存</translation>
    </message>
    <message>
        <source>Recent games</source>
        <translation>最近開いたゲーム</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>（なし）</translation>
    </message>
</context>
<context>
    <name>cGameListModel</name>
    <message>
        <source>(empty)</source>
        <translation>（空き）</translation>
    </message>
    <message>
        <source>Frame 1</source>
        <translation>フレーム1</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>フレーム数</translation>
    </message>
</context>
<context>
    <name>cGameWindow</name>
    <message>
        <source>Game</source>
        <translation>ゲーム</translation>
    </message>
    <message>
        <source>Animations of the game</source>
        <translation>ゲームのアニメーション</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新規(&amp;N)</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新規</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>名前の変更(&amp;R)</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>名前の変更</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Game: %1</source>
        <translation>ゲーム: %1</translation>
    </message>
    <message>
        <source>%1 (%2)
%3</source>
        <translation>%1（%2）
%3</translation>
    </message>
    <message>
        <source>No game is open. File &gt; Open game project...</source>
        <translation>ゲームが開かれていません。ファイル &gt; ゲームプロジェクトを開く...</translation>
    </message>
    <message>
        <source>New animation</source>
        <translation>新しいアニメーション</translation>
    </message>
</context>
<context>
    <name>cListWindow</name>
    <message>
        <source>List pages</source>
        <translation>リストのページ</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>画像</translation>
    </message>
    <message>
        <source>Sounds and flashes</source>
        <translation>SEとフラッシュ</translation>
    </message>
    <message>
        <source>Picture %1 reloaded</source>
        <translation>画像 %1 を読み込み直しました</translation>
    </message>
    <message>
        <source>Opened &quot;%1&quot;</source>
        <translation>「%1」を開きました</translation>
    </message>
    <message>
        <source>%1 cancelled</source>
        <translation>%1 をキャンセルしました</translation>
    </message>
    <message>
        <source>Picture %1 set to %2</source>
        <translation>画像 %1 を %2 にしました</translation>
    </message>
    <message>
        <source>Timing at frame %1 stored</source>
        <translation>フレーム %1 のタイミングを設定しました</translation>
    </message>
    <message>
        <source>Picture %1 moved to %2</source>
        <translation>画像 %1 を %2 に移動しました</translation>
    </message>
</context>
<context>
    <name>cMainWindow</name>
    <message>
        <source>New</source>
        <translation>新規</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>上書き保存</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <source>PNG pictures</source>
        <translation>PNG 画像</translation>
    </message>
    <message>
        <source>Animated GIF</source>
        <translation>GIF アニメ</translation>
    </message>
    <message>
        <source>RPG Maker 2000</source>
        <translation>RPGツクール2000</translation>
    </message>
    <message>
        <source>RPG Maker 2003</source>
        <translation>RPGツクール2003</translation>
    </message>
    <message>
        <source>RPG Maker XP</source>
        <translation>RPGツクールXP</translation>
    </message>
    <message>
        <source>RPG Maker VX</source>
        <translation>RPGツクールVX</translation>
    </message>
    <message>
        <source>RPG Maker VX Ace</source>
        <translation>RPGツクールVX Ace</translation>
    </message>
    <message>
        <source>RPG Maker MV</source>
        <translation>RPGツクールMV</translation>
    </message>
    <message>
        <source>RPG Maker XP / VX / VX Ace</source>
        <translation>RPGツクールXP / VX / VX Ace</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直し</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>Fill in selected cells from frames before and after</source>
        <translation>選択したセルを前後のフレームから補完</translation>
    </message>
    <message>
        <source>Bring to front</source>
        <translation>最前面へ</translation>
    </message>
    <message>
        <source>Send to back</source>
        <translation>最背面へ</translation>
    </message>
    <message>
        <source>Project settings</source>
        <translation>プロジェクトの設定</translation>
    </message>
    <message>
        <source>Lock cell numbers to pictures</source>
        <translation>セル番号と画像の固定</translation>
    </message>
    <message>
        <source>Cell settings</source>
        <translation>セルの設定</translation>
    </message>
    <message>
        <source>New cell</source>
        <translation>新規セル</translation>
    </message>
    <message>
        <source>Copy from next frame</source>
        <translation>次のフレームからコピー</translation>
    </message>
    <message>
        <source>Copy from previous frame</source>
        <translation>前のフレームからコピー</translation>
    </message>
    <message>
        <source>Fill in frame from frames before and after</source>
        <translation>フレームを前後のフレームから補完</translation>
    </message>
    <message>
        <source>Insert frame</source>
        <translation>フレームを挿入</translation>
    </message>
    <message>
        <source>Delete frame</source>
        <translation>フレームを削除</translation>
    </message>
    <message>
        <source>Clear frame</source>
        <translation>フレームをクリア</translation>
    </message>
    <message>
        <source>Next frame</source>
        <translation>次のフレーム</translation>
    </message>
    <message>
        <source>Previous frame</source>
        <translation>前のフレーム</translation>
    </message>
    <message>
        <source>Last frame</source>
        <translation>最後のフレーム</translation>
    </message>
    <message>
        <source>First frame</source>
        <translation>最初のフレーム</translation>
    </message>
    <message>
        <source>Add frames automatically</source>
        <translation>フレームを自動で追加</translation>
    </message>
    <message>
        <source>Palette in one column</source>
        <translation>パレットを縦 1 列で表示</translation>
    </message>
    <message>
        <source>Onion skins as silhouettes</source>
        <translation>前後のセルをシルエットで表示</translation>
    </message>
    <message>
        <source>Cell outlines</source>
        <translation>セルの枠線</translation>
    </message>
    <message>
        <source>Next frame (onion skin)</source>
        <translation>次のフレーム (前後のセル)</translation>
    </message>
    <message>
        <source>Previous frame (onion skin)</source>
        <translation>前のフレーム (前後のセル)</translation>
    </message>
    <message>
        <source>Motion path</source>
        <translation>移動の軌跡</translation>
    </message>
    <message>
        <source>Target picture</source>
        <translation>対象画像</translation>
    </message>
    <message>
        <source>GIF draft</source>
        <translation>GIF 下書き</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>グリッド</translation>
    </message>
    <message>
        <source>Show list window</source>
        <translation>リストウィンドウを表示</translation>
    </message>
    <message>
        <source>Show palette window</source>
        <translation>パレットウィンドウを表示</translation>
    </message>
    <message>
        <source>Show status bar</source>
        <translation>ステータスバーを表示</translation>
    </message>
    <message>
        <source>Show tool bar</source>
        <translation>ツールバーを表示</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>拡大縮小</translation>
    </message>
    <message>
        <source>Spline curve</source>
        <translation>スプライン曲線</translation>
    </message>
    <message>
        <source>Set interval</source>
        <translation>間隔の設定</translation>
    </message>
    <message>
        <source>Batch edit</source>
        <translation>一括編集</translation>
    </message>
    <message>
        <source>Tween</source>
        <translation>中間補完</translation>
    </message>
    <message>
        <source>Play from the start</source>
        <translation>最初から再生</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>ループ</translation>
    </message>
    <message>
        <source>Play backwards</source>
        <translation>逆再生</translation>
    </message>
    <message>
        <source>Sound effects</source>
        <translation>SE</translation>
    </message>
    <message>
        <source>Screen flashes</source>
        <translation>画面のフラッシュ</translation>
    </message>
    <message>
        <source>Play sound effects on every pass</source>
        <translation>ループのたびに SE を鳴らす</translation>
    </message>
    <message>
        <source>Clear the canvas after playing</source>
        <translation>再生後にキャンバスを消す</translation>
    </message>
    <message>
        <source>Target picture settings</source>
        <translation>対象画像の設定</translation>
    </message>
    <message>
        <source>GIF draft settings</source>
        <translation>GIF 下書きの設定</translation>
    </message>
    <message>
        <source>Open project folder</source>
        <translation>プロジェクトのフォルダを開く</translation>
    </message>
    <message>
        <source>Editor settings</source>
        <translation>エディタの設定</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>About PelkoEditor</source>
        <translation>PelkoEditor について</translation>
    </message>
    <message>
        <source>Menu bar</source>
        <translation>メニューバー</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>Copy to &amp;Clipboard for</source>
        <translation>クリップボードにコピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Import from Clipboard</source>
        <translation>クリップボードから読み込み(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>F&amp;rame</source>
        <translation>フレーム(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>ツール(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Play options</source>
        <translation>再生オプション(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Canvas</source>
        <translation>キャンバス</translation>
    </message>
    <message>
        <source>Status message</source>
        <translation>ステータスメッセージ</translation>
    </message>
    <message>
        <source>Frame position</source>
        <translation>フレーム位置</translation>
    </message>
    <message>
        <source>Status bar</source>
        <translation>ステータスバー</translation>
    </message>
    <message>
        <source>Snap %1</source>
        <translation>%1 をスナップ</translation>
    </message>
    <message>
        <source>%1 step</source>
        <translation>%1 の単位</translation>
    </message>
    <message>
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>拡大率</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>前</translation>
    </message>
    <message>
        <source>After</source>
        <translation>次</translation>
    </message>
    <message>
        <source>Silhouettes</source>
        <translation>シルエット</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>軌跡</translation>
    </message>
    <message>
        <source>Outlines</source>
        <translation>枠線</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>|&lt;</source>
        <translation>|&lt;</translation>
    </message>
    <message>
        <source>Playback speed</source>
        <translation>再生速度</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>範囲</translation>
    </message>
    <message>
        <source>Play only the range</source>
        <translation>範囲だけ再生</translation>
    </message>
    <message>
        <source>First frame of the range</source>
        <translation>範囲の最初のフレーム</translation>
    </message>
    <message>
        <source>Last frame of the range</source>
        <translation>範囲の最後のフレーム</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>ツール</translation>
    </message>
    <message>
        <source>Spline</source>
        <translation>スプライン</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>出力(&amp;E)</translation>
    </message>
    <message>
        <source>Import animated GIF...</source>
        <translation>GIF アニメを取り込む...</translation>
    </message>
    <message>
        <source>Animated PNG</source>
        <translation>PNG アニメ (APNG)</translation>
    </message>
    <message>
        <source>Animated WebP</source>
        <translation>WebP アニメ</translation>
    </message>
    <message>
        <source>Actor side</source>
        <translation>アクター側</translation>
    </message>
    <message>
        <source>Play every timing</source>
        <translation>すべてのタイミングを再生</translation>
    </message>
    <message>
        <source>Play as a hit</source>
        <translation>ヒットとして再生</translation>
    </message>
    <message>
        <source>Play as a miss</source>
        <translation>ミスとして再生</translation>
    </message>
    <message>
        <source>Build pattern sheet...</source>
        <translation>パターンシートを作成...</translation>
    </message>
    <message>
        <source>Check pattern sheet...</source>
        <translation>パターンシートを検査...</translation>
    </message>
    <message>
        <source>Pivot</source>
        <translation>中心点</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>回転</translation>
    </message>
    <message>
        <source>Gesture under the pointer</source>
        <translation>ポインタ位置の操作</translation>
    </message>
    <message>
        <source>Tool: %1</source>
        <translation>ツール: %1</translation>
    </message>
    <message>
        <source>%1: on</source>
        <translation>%1: オン</translation>
    </message>
    <message>
        <source>%1: off</source>
        <translation>%1: オフ</translation>
    </message>
    <message>
        <source>No selected cell on frame %1</source>
        <translation>フレーム %1 に選択中のセルがありません</translation>
    </message>
    <message>
        <source>Cells selected: %1</source>
        <translation>選択したセル: %1 個</translation>
    </message>
    <message>
        <source>No cell selected</source>
        <translation>セルが選択されていません</translation>
    </message>
    <message>
        <source>No cell moved: none is selected on frame %1, or they are at the end of the row</source>
        <translation>移動したセルはありません: フレーム %1 に選択中のセルがないか、すでに端にあります</translation>
    </message>
    <message>
        <source>Cells brought forward: %1</source>
        <translation>前面へ移動したセル: %1 個</translation>
    </message>
    <message>
        <source>Cells sent back: %1</source>
        <translation>背面へ移動したセル: %1 個</translation>
    </message>
    <message>
        <source>Already at frame %1</source>
        <translation>すでにフレーム %1 です</translation>
    </message>
    <message>
        <source>Opened &quot;%1&quot;</source>
        <translation>「%1」を開きました</translation>
    </message>
</context>
<context>
    <name>cPaletteView</name>
    <message>
        <source>Patterns</source>
        <translation>パターン</translation>
    </message>
</context>
<context>
    <name>cPaletteWindow</name>
    <message>
        <source>Palette</source>
        <translation>パレット</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>画像</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>拡大率</translation>
    </message>
    <message>
        <source>Patterns view</source>
        <translation>パターンの表示</translation>
    </message>
</context>
<context>
    <name>cSession</name>
    <message>
        <source>The built-in pictures could not be made.</source>
        <translation>組み込み画像を作成できませんでした。</translation>
    </message>
    <message>
        <source>A new animation could not be made.</source>
        <translation>新しいアニメーションを作成できませんでした。</translation>
    </message>
    <message>
        <source>The recovery copy could not be written: %1</source>
        <translation>復旧用のコピーを書き込めませんでした: %1</translation>
    </message>
    <message>
        <source>No recovery copies can be kept: %1</source>
        <translation>復旧用のコピーを保存できません: %1</translation>
    </message>
    <message>
        <source>The recovery copy %1 cannot be opened: %2</source>
        <translation>復旧用のコピー %1 を開けません: %2</translation>
    </message>
    <message>
        <source>Recovered the unsaved changes</source>
        <translation>保存されていなかった変更を復旧しました</translation>
    </message>
    <message>
        <source>Could not open the game %1</source>
        <translation>ゲーム %1 を開けませんでした</translation>
    </message>
    <message>
        <source>Opened the game %1 (%2, %3 animations)</source>
        <translation>ゲーム %1 を開きました（%2、アニメーション %3 個）</translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation>%1 を開きました</translation>
    </message>
    <message>
        <source>%1: not found in the game: %2</source>
        <translation>%1: ゲームにないもの: %2</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 を保存しました</translation>
    </message>
    <message>
        <source> (the database as it was: %1)</source>
        <translation>（元のデータベース: %1）</translation>
    </message>
    <message>
        <source>Could not open the animation: %1</source>
        <translation>アニメーションを開けませんでした: %1</translation>
    </message>
    <message>
        <source>Could not save to the game: %1</source>
        <translation>ゲームに保存できませんでした: %1</translation>
    </message>
    <message>
        <source>Cancelled: the unsaved changes are kept</source>
        <translation>キャンセルしました: 保存していない変更はそのままです</translation>
    </message>
    <message>
        <source>Nothing opened</source>
        <translation>何も開きませんでした</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>保存しませんでした</translation>
    </message>
    <message>
        <source>Nothing imported</source>
        <translation>何も取り込みませんでした</translation>
    </message>
    <message>
        <source>Playing from frame %1 (Escape stops)</source>
        <translation>フレーム %1 から再生中 (Esc で停止)</translation>
    </message>
    <message>
        <source>Stopped at frame %1</source>
        <translation>フレーム %1 で停止しました</translation>
    </message>
    <message>
        <source>Played to frame %1</source>
        <translation>フレーム %1 まで再生しました</translation>
    </message>
    <message>
        <source>Could not start playing</source>
        <translation>再生を開始できませんでした</translation>
    </message>
</context>
<context>
    <name>cTimeline</name>
    <message>
        <source>Timeline</source>
        <translation>タイムライン</translation>
    </message>
    <message>
        <source>Play range: frames %1 to %2</source>
        <translation>再生範囲: フレーム %1 〜 %2</translation>
    </message>
    <message>
        <source>Play range off: every frame plays</source>
        <translation>再生範囲を解除: すべてのフレームを再生します</translation>
    </message>
    <message>
        <source>Drag range cleared</source>
        <translation>ドラッグ範囲を解除しました</translation>
    </message>
    <message>
        <source>Drag range: frames %1 to %2, cell numbers %3 to %4</source>
        <translation>ドラッグ範囲: フレーム %1 〜 %2、セル番号 %3 〜 %4</translation>
    </message>
</context>
<context>
    <name>cToolWindows</name>
    <message>
        <source>Choose the cell number to paste into (Escape cancels)</source>
        <translation>貼り付け先のセル番号を選んでください (Esc でキャンセル)</translation>
    </message>
    <message>
        <source>Choose the cell number of the new cell (Escape cancels)</source>
        <translation>新規セルのセル番号を選んでください (Esc でキャンセル)</translation>
    </message>
</context>
</TS>
