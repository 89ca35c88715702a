import QtQuick
import QtQuick.Controls.Basic

// The notice above every screen (`notices`, the shell's Notices): it slides down
// from the top of the window, opens what it is about when pressed, and closes by
// itself or with its close button.
Item {
    id: root
    property var notices: null
    readonly property bool shown: root.notices !== null && root.notices.shown

    height: card.height + Theme.margin
    visible: slide.y > -height
    clip: true

    Item {
        id: slide
        width: parent.width
        height: parent.height
        y: root.shown ? 0 : -root.height
        Behavior on y { NumberAnimation { duration: 200; easing.type: Easing.OutCubic } }

        Rectangle {
            id: card
            x: 8
            y: 8
            width: parent.width - 16
            height: Math.max(column.implicitHeight + 20, 56)
            radius: 12
            color: tap.pressed ? Theme.navyVeil : Theme.navy
            border.color: Theme.orange
            border.width: 2
            Accessible.role: Accessible.Button
            Accessible.name: root.notices ? root.notices.title + " " + root.notices.text : ""
            Accessible.onPressAction: root.notices.press()

            MouseArea {
                id: tap
                anchors.fill: parent
                onClicked: root.notices.press()
            }
            Column {
                id: column
                anchors { left: parent.left; leftMargin: 14; right: closeButton.left; rightMargin: 4
                          verticalCenter: parent.verticalCenter }
                spacing: 3
                Text {
                    width: parent.width
                    text: root.notices ? root.notices.title : ""
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    color: Theme.onAccent
                    font { pixelSize: Theme.fontSize; bold: true }
                }
                Text {
                    width: parent.width
                    text: root.notices ? root.notices.text : ""
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    color: Theme.onNavySecondary
                    font.pixelSize: Theme.smallFontSize
                }
            }
            ToolButton {
                id: closeButton
                anchors { right: parent.right; rightMargin: 6; verticalCenter: parent.verticalCenter }
                width: 44; height: 44
                text: "✕"
                Accessible.name: "알림 닫기"
                contentItem: Text { text: closeButton.text; color: Theme.onAccent; font.pixelSize: 18
                                    horizontalAlignment: Text.AlignHCenter
                                    verticalAlignment: Text.AlignVCenter }
                background: Rectangle { radius: 22
                                        color: closeButton.down ? Theme.onAccentPressed : Theme.clear }
                onClicked: root.notices.close()
            }
        }
    }
}
