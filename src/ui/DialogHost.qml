import QtQuick
import QtQuick.Controls.Basic

// Shows the first pending dialog of `controller` (a Screen): an alert with its
// title, message and actions, or a choice list whose entries are left-aligned.
// Pressing an action answers the dialog on the controller, which runs its
// handler and removes it; the next pending dialog then shows.
Item {
    id: root
    property var controller: null
    readonly property var dialog: controller && controller.dialogs && controller.dialogs.length > 0
                                  ? controller.dialogs[0] : null

    visible: dialog !== null
    z: 1000

    Rectangle {
        anchors.fill: parent
        color: Theme.shade
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
            onWheel: (wheel) => wheel.accepted = true
        }
    }

    Rectangle {
        id: card
        readonly property bool sideBySide: root.dialog !== null && root.dialog.kind === "alert"
                                           && root.dialog.actions.length === 2
        width: Math.min(root.width - 2 * Theme.margin, 300)
        height: Math.min(content.implicitHeight, root.height - 4 * Theme.margin)
        anchors.centerIn: parent
        radius: 14
        color: Theme.surface
        clip: true
        Accessible.role: Accessible.Dialog
        Accessible.name: root.dialog ? (root.dialog.title !== "" ? root.dialog.title : root.dialog.message) : ""

        Flickable {
            anchors.fill: parent
            contentHeight: content.implicitHeight
            boundsBehavior: Flickable.StopAtBounds
            ScrollIndicator.vertical: ScrollIndicator {}

            // Positioners rather than layouts: they follow visibility changes of
            // the texts reliably when the dialog appears.
            Column {
                id: content
                width: card.width
                topPadding: 20

                Text {
                    x: Theme.margin
                    width: card.width - 2 * Theme.margin
                    visible: text !== ""
                    text: root.dialog ? root.dialog.title : ""
                    textFormat: Text.PlainText
                    font.pixelSize: Theme.fontSize + 2
                    font.bold: true
                    color: Theme.text
                    wrapMode: Text.Wrap
                    horizontalAlignment: Text.AlignHCenter
                }
                Item { width: 1; height: 6 }
                Text {
                    x: Theme.margin
                    width: card.width - 2 * Theme.margin
                    visible: text !== ""
                    text: root.dialog ? root.dialog.message : ""
                    textFormat: Text.PlainText
                    font.pixelSize: Theme.smallFontSize + 1
                    color: Theme.text
                    wrapMode: Text.Wrap
                    horizontalAlignment: Text.AlignHCenter
                }
                Item { width: 1; height: 18 }

                Grid {
                    columns: card.sideBySide ? 2 : 1

                    Repeater {
                        model: root.dialog ? root.dialog.actions : []
                        ItemDelegate {
                            id: action
                            required property var modelData
                            required property int index
                            width: card.sideBySide ? card.width / 2 : card.width
                            height: 48
                            text: modelData.title
                            Accessible.name: modelData.title
                            onClicked: root.controller.answerDialog(root.dialog.id, index)
                            contentItem: Text {
                                text: action.text
                                textFormat: Text.PlainText
                                font.pixelSize: Theme.fontSize + 1
                                font.bold: action.modelData.style === "cancel"
                                color: action.modelData.style === "destructive" ? Theme.destructive : Theme.orange
                                elide: Text.ElideRight
                                verticalAlignment: Text.AlignVCenter
                                horizontalAlignment: root.dialog && root.dialog.leftAligned
                                                     && action.modelData.style !== "destructive"
                                                     ? Text.AlignLeft : Text.AlignHCenter
                            }
                            background: Rectangle {
                                color: action.down ? Theme.background : Theme.clear
                                Rectangle {
                                    width: parent.width
                                    height: 1
                                    color: Theme.separator
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}
