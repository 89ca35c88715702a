import QtQuick
import QtQuick.Controls.Basic

// A screen's bar: the back button ("뒤로"), the title, and any controls the page
// puts at its right end (children of the bar go there). `backEnabled` false keeps
// the back button in place but inactive (a request that must not be left runs).
Rectangle {
    id: bar
    property string title
    property bool showBack: true
    property bool backEnabled: true
    default property alias trailing: trailingRow.data
    signal backClicked()

    anchors { left: parent.left; right: parent.right; top: parent.top }
    height: Theme.barHeight
    color: Theme.navy
    z: 2

    ToolButton {
        id: back
        visible: bar.showBack
        enabled: bar.backEnabled
        opacity: enabled ? 1 : 0.4
        anchors { left: parent.left; verticalCenter: parent.verticalCenter }
        width: 48; height: 48
        text: "‹"
        font.pixelSize: 30
        Accessible.name: "뒤로"
        contentItem: Text { textFormat: Text.PlainText; text: back.text; font: back.font; color: Theme.onAccent
                            horizontalAlignment: Text.AlignHCenter; verticalAlignment: Text.AlignVCenter }
        background: Rectangle { color: back.down ? Theme.onAccentPressed : Theme.clear }
        onClicked: bar.backClicked()
    }
    Text {
        anchors.centerIn: parent
        width: parent.width - 112
        horizontalAlignment: bar.showBack ? Text.AlignHCenter : Text.AlignLeft
        elide: Text.ElideRight
        textFormat: Text.PlainText
        text: bar.title
        color: Theme.onAccent
        font { pixelSize: Theme.titleFontSize; bold: true }
    }
    Row {
        id: trailingRow
        anchors { right: parent.right; rightMargin: 4; verticalCenter: parent.verticalCenter }
    }
}
