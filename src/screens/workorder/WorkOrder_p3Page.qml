pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// A car's job orders, each with its edit and delete buttons; "새 작업" writes a new one.
Rectangle {
    id: page
    property var controller
    color: Theme.background

    NavigationBar {
        id: bar
        title: "작업 지시 목록"
        onBackClicked: page.controller.dismiss()
        ToolButton {
            id: newOrder
            text: "새 작업"
            Accessible.name: text
            font { pixelSize: Theme.fontSize; bold: true }
            contentItem: Text { textFormat: Text.PlainText; text: newOrder.text; font: newOrder.font; color: Theme.onAccent
                                verticalAlignment: Text.AlignVCenter }
            background: Rectangle { color: newOrder.down ? Theme.onAccentPressed : Theme.clear }
            onClicked: page.controller.openNewOrder()
        }
    }

    ListView {
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        clip: true
        model: page.controller.theTable
        footer: Qt.createComponent("qrc:/tvs/ui/ListFooter.qml")
        delegate: Rectangle {
            id: cell
            required property int index
            required property string cell_Time
            required property string cell_JobNumber
            required property string cell_RepairPrice
            required property string cell_CarNumber
            required property string cell_JobCode
            width: ListView.view.width
            height: 104
            color: Theme.surface
            Accessible.role: Accessible.ListItem
            Accessible.name: (cell_JobNumber + " " + cell_Time + " " + cell_CarNumber + " " + cell_RepairPrice).replace(/\s+/g, " ").trim()
            Rectangle {
                anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
                height: 1
                color: Theme.separator
            }

            Column {
                anchors { left: parent.left; leftMargin: 14; right: buttons.left; rightMargin: 8
                          verticalCenter: parent.verticalCenter }
                spacing: 4
                Text { width: parent.width; text: cell.cell_JobNumber; textFormat: Text.PlainText
                       elide: Text.ElideRight; color: Theme.navy; font { pixelSize: 16; bold: true } }
                Text { text: cell.cell_Time; textFormat: Text.PlainText; color: Theme.secondaryText
                       font.pixelSize: Theme.smallFontSize }
                Text { text: cell.cell_CarNumber; textFormat: Text.PlainText; color: Theme.text
                       font.pixelSize: Theme.fontSize }
                Text { text: cell.cell_RepairPrice; textFormat: Text.PlainText; color: Theme.orange
                       font { pixelSize: Theme.fontSize; bold: true } }
            }

            Column {
                id: buttons
                anchors { right: parent.right; rightMargin: 12; verticalCenter: parent.verticalCenter }
                spacing: 8
                CustomButton {
                    width: 64; height: 34
                    cornerRadius: 6
                    text: "수정"
                    font.pixelSize: Theme.smallFontSize
                    backgroundColor: Theme.navy
                    Accessible.name: text + " " + cell.cell_JobCode
                    onClicked: page.controller.cell_EditButton_Action(cell.index)
                }
                CustomButton {
                    width: 64; height: 34
                    cornerRadius: 6
                    text: "삭제"
                    font.pixelSize: Theme.smallFontSize
                    backgroundColor: Theme.destructive
                    Accessible.name: text + " " + cell.cell_JobCode
                    onClicked: page.controller.cell_DelButton_Action(cell.index)
                }
            }
        }
    }
}
