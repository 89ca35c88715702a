pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic

// Shows the first pending dialog of `controller` (a Screen): an alert with its
// title, message and actions, or a choice list whose entries are left-aligned.
// Pressing an action answers the dialog on the controller, which runs its
// handler and removes it; the next pending dialog then shows.
// The keyboard works the dialog while it shows: the first action takes the focus,
// Tab and the arrow keys move between the actions, Return, Enter or Space presses
// one, Escape the cancelling one; afterwards the focus goes back where it was.
Item {
    id: root
    property var controller: null
    readonly property var dialog: controller && controller.dialogs && controller.dialogs.length > 0
                                  ? controller.dialogs[0] : null
    property Item focusBefore: null

    visible: dialog !== null
    z: 1000

    onDialogChanged: {
        if (dialog === null) {
            if (focusBefore)
                focusBefore.forceActiveFocus()
            focusBefore = null
            return
        }
        const current = root.Window.activeFocusItem
        if (focusBefore === null && current && !actions.isAncestorOf(current))
            focusBefore = current
        Qt.callLater(actions.focusAction, 0)
    }

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
            id: scroller
            anchors.fill: parent
            function revealAction(item) {
                const top = item.mapToItem(contentItem, 0, 0).y
                if (top < contentY)
                    contentY = top
                else if (top + item.height > contentY + height)
                    contentY = top + item.height - height
            }
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
                    id: actions
                    columns: card.sideBySide ? 2 : 1

                    function isAncestorOf(item) {
                        for (let i = item; i; i = i.parent) {
                            if (i === actions)
                                return true
                        }
                        return false
                    }
                    function focusAction(index) {
                        const count = actionRepeater.count
                        if (count === 0 || root.dialog === null)
                            return
                        const item = actionRepeater.itemAt(((index % count) + count) % count)
                        if (item)
                            item.forceActiveFocus()
                    }

                    Repeater {
                        id: actionRepeater
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
                            onActiveFocusChanged: if (activeFocus) scroller.revealAction(action)
                            Keys.onReturnPressed: clicked()
                            Keys.onEnterPressed: clicked()
                            Keys.onSpacePressed: clicked()
                            Keys.onTabPressed: actions.focusAction(index + 1)
                            Keys.onBacktabPressed: actions.focusAction(index - 1)
                            Keys.onDownPressed: actions.focusAction(index + 1)
                            Keys.onUpPressed: actions.focusAction(index - 1)
                            Keys.onEscapePressed: {
                                const all = root.dialog.actions
                                for (let i = all.length - 1; i >= 0; --i) {
                                    if (all[i].style !== "default") {
                                        root.controller.answerDialog(root.dialog.id, i)
                                        return
                                    }
                                }
                            }
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
                                color: action.down || action.activeFocus ? Theme.background : Theme.clear
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
