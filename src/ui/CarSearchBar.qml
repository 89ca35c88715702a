import QtQuick
import QtQuick.Controls.Basic

// The search field above a car table (a CarTable): the list narrows as the dealer
// types, with what is still being composed (a Korean syllable) included. Under it,
// while a first load reads the rows, how many have come of the count expected.
Rectangle {
    id: bar
    required property var table
    // The count of rows shown of all while a search is typed ("12 / 4,585대").
    property bool showsCount: true

    height: 48
    color: Theme.background

    TextField {
        id: field
        anchors { left: parent.left; leftMargin: 12; right: count.visible ? count.left : parent.right
                  rightMargin: 12; verticalCenter: parent.verticalCenter }
        height: 36
        rightPadding: clear.visible ? clear.width + 4 : 10
        placeholderText: "차량번호, 제조사, 모델, 연식 검색"
        placeholderTextColor: Theme.placeholder
        color: Theme.text
        font.pixelSize: Theme.fontSize
        Accessible.name: "차량 검색"
        background: Rectangle { radius: 8; color: Theme.surface; border.color: Theme.controlBorder }
        // displayText holds the syllable still being composed; text only what was committed.
        onDisplayTextChanged: bar.table.view.searchText = displayText
        ToolButton {
            id: clear
            anchors { right: parent.right; verticalCenter: parent.verticalCenter }
            width: 36; height: 36
            visible: field.displayText !== ""
            text: "✕"
            font.pixelSize: 14
            Accessible.name: "검색어 지우기"
            background: Rectangle { radius: 18; color: clear.down ? Theme.separator : Theme.clear }
            // clear() drops a syllable being composed with the rest (it resets the input method).
            onClicked: field.clear()
        }
    }

    Text {
        id: count
        anchors { right: parent.right; rightMargin: 12; verticalCenter: parent.verticalCenter }
        visible: bar.showsCount && text !== ""
        text: bar.table.view.countText
        textFormat: Text.PlainText
        color: Theme.orange
        font { pixelSize: Theme.smallFontSize; bold: true }
    }

    ProgressBar {
        id: progress
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: 3
        visible: bar.table.loading
        indeterminate: bar.table.expected <= 0
        from: 0
        to: Math.max(bar.table.expected, 1)
        value: bar.table.rowsRead
        Accessible.name: "차량 목록을 불러오는 중"
        background: Rectangle { color: Theme.separator }
        contentItem: Item {
            Rectangle {
                width: progress.indeterminate ? parent.width / 3 : progress.visualPosition * parent.width
                height: parent.height
                color: Theme.orange
                XAnimator on x {
                    running: progress.visible && progress.indeterminate
                    loops: Animation.Infinite
                    from: -progress.width / 3; to: progress.width
                    duration: 1200
                }
            }
        }
    }
}
