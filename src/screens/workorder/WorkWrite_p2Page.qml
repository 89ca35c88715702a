pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// The repair job lines of a job order: each line's work, its repair shop, and
// buttons to add a line or remove this one. The add button under the list
// stays when no line is left.
Rectangle {
    id: page
    property var controller
    color: Theme.background

    // Takes the focus when editing ends: the field loses it, so the keyboard closes.
    Item {
        id: focusSink
    }
    Connections {
        target: page.controller
        function onEditingEnded() { focusSink.forceActiveFocus() }
    }

    NavigationBar {
        id: bar
        title: "정비 작업 입력"
        onBackClicked: page.controller.dismiss()
    }

    ListView {
        id: theTable
        objectName: "theTable"
        anchors { left: parent.left; right: parent.right; top: bar.bottom }
        // As tall as its lines, up to the room above the add button, which follows the last
        // line and stays on screen when the lines fill the page.
        height: Math.min(contentHeight, page.height - bar.height - addLine.height)
        clip: true
        model: page.controller.theTable
        spacing: 1
        delegate: Rectangle {
            id: cell
            required property int index
            required property int lineId
            required property string cell_JobContent
            required property string cellJobButton
            width: ListView.view.width
            // The text grows the line up to jobScroll's cap, then scrolls inside it;
            // it never runs under the buttons.
            height: jobScroll.height + lineButtons.height + 30
            color: Theme.surface
            Accessible.role: Accessible.ListItem
            Accessible.name: "작업 " + (cell.index + 1) + " " + cell.cell_JobContent + " " + cell.cellJobButton

            ScrollView {
                id: jobScroll
                anchors { left: parent.left; right: parent.right; top: parent.top; margins: 10 }
                height: Math.min(Math.max(80, cell_JobContent.implicitHeight), 200)
                TextArea {
                    id: cell_JobContent
                    text: cell.cell_JobContent
                    textFormat: TextEdit.PlainText
                    wrapMode: TextEdit.Wrap
                    placeholderText: "작업 내용을 입력하세요"
                    placeholderTextColor: Theme.placeholder
                    font.pixelSize: Theme.fontSize
                    Accessible.name: "작업 내용 " + (cell.index + 1)
                    background: Rectangle { radius: 6; border.width: 1; border.color: Theme.controlBorder
                                            color: Theme.surface }
                    onTextChanged: page.controller.setJobContent(cell.lineId, text)
                }
            }
            Row {
                id: lineButtons
                anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 10 }
                spacing: 8
                CustomButton {
                    id: cellJobButton
                    width: parent.width - 2 * (44 + parent.spacing)
                    height: 40
                    cornerRadius: 6
                    borderWidth: 1
                    borderColor: Theme.controlBorder
                    backgroundColor: Theme.surface
                    textColor: Theme.navy
                    text: cell.cellJobButton
                    font.pixelSize: Theme.smallFontSize
                    Accessible.name: "정비소 " + (cell.index + 1) + " " + text
                    onClicked: page.controller.cell_JobButtonAction(cell.lineId)
                }
                CustomButton {
                    width: 44; height: 40
                    cornerRadius: 6
                    text: "+"
                    font { pixelSize: 20; bold: true }
                    Accessible.name: "작업 추가 " + (cell.index + 1)
                    onClicked: page.controller.cell_AddButtonAction()
                }
                CustomButton {
                    width: 44; height: 40
                    cornerRadius: 6
                    backgroundColor: Theme.destructive
                    text: "−"
                    font { pixelSize: 20; bold: true }
                    Accessible.name: "작업 삭제 " + (cell.index + 1)
                    onClicked: page.controller.cell_DelButtonAction(cell.lineId)
                }
            }
        }
    }

    Column {
        id: addLine
        anchors { left: parent.left; right: parent.right; top: theTable.bottom }
        topPadding: 12
        spacing: 10
        CustomButton {
            anchors.horizontalCenter: parent.horizontalCenter
            width: parent.width - 2 * Theme.margin
            height: 44
            cornerRadius: 6
            backgroundColor: Theme.navy
            text: "+ 작업 줄 추가"
            onClicked: page.controller.cell_AddButtonAction()
        }
        Text {
            x: Theme.margin
            width: parent.width - 2 * Theme.margin
            text: "작성한 작업은 로그아웃할 때까지 이 기기에 보관됩니다. 서버로 전송되지 않습니다."
            wrapMode: Text.WordWrap
            color: Theme.mutedText
            font.pixelSize: Theme.smallFontSize
        }
        ListFooter { width: parent.width }
    }
}
