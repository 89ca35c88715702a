pragma ComponentBehavior: Bound
import QtQuick
import "qrc:/tvs/ui"

// The shop's cars found for the plate text; a row's "작업 지시" opens its job orders.
Rectangle {
    id: page
    property var controller
    color: Theme.background

    NavigationBar {
        id: bar
        title: "차량 검색 결과"
        onBackClicked: page.controller.dismiss()
    }

    Rectangle {
        id: header
        anchors { left: parent.left; right: parent.right; top: bar.bottom }
        height: 48
        color: Theme.background
        Text {
            anchors { left: parent.left; leftMargin: 14; verticalCenter: parent.verticalCenter }
            text: "검색된 차량"
            color: Theme.navy
            font.pixelSize: Theme.fontSize
        }
        Text {
            textFormat: Text.PlainText
            id: searchListCount
            anchors { right: parent.right; rightMargin: 14; verticalCenter: parent.verticalCenter }
            text: page.controller.searchListCount
            Accessible.name: "차량 " + text + "대"
            color: Theme.orange
            font { pixelSize: 17; bold: true }
        }
    }

    Text {
        id: lb_noSearchData
        anchors { left: parent.left; right: parent.right; top: header.bottom }
        visible: page.controller.lb_noSearchDataVisible
        height: page.controller.lb_noSearchDataHeight
        text: "검색된 차량이 없습니다."
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: Theme.mutedText
        font.pixelSize: Theme.fontSize
    }

    ListView {
        id: theTable
        anchors { left: parent.left; right: parent.right; top: lb_noSearchData.visible ? lb_noSearchData.bottom
                                                                                     : header.bottom
                  bottom: parent.bottom }
        clip: true
        model: page.controller.theTable
        footer: Qt.createComponent("qrc:/tvs/ui/ListFooter.qml")
        delegate: Rectangle {
            id: cell
            required property int index
            required property string cell_CarDate
            required property string cell_CarKind
            required property string cell_CarNum2
            required property string cell_CarNum
            required property string cell_CarState
            required property color cell_CarStateColor
            required property string cell_btnCompleteLook
            width: ListView.view.width
            height: 112
            color: Theme.surface
            Accessible.role: Accessible.ListItem
            Accessible.name: (cell_CarNum + " " + cell_CarState + " " + cell_CarKind + " "
                              + cell_CarNum2 + " " + cell_CarDate).replace(/\s+/g, " ").trim()
            Rectangle {
                anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
                height: 1
                color: Theme.separator
            }

            Column {
                anchors { left: parent.left; leftMargin: 14; right: buttons.left; rightMargin: 8
                          verticalCenter: parent.verticalCenter }
                spacing: 4
                Row {
                    spacing: 8
                    Text { text: cell.cell_CarNum; textFormat: Text.PlainText; color: Theme.navy
                           font { pixelSize: 17; bold: true } }
                    StatusLabel { text: cell.cell_CarState; visible: text !== ""
                                  backgroundColor: cell.cell_CarStateColor }
                }
                Text { width: parent.width; text: cell.cell_CarKind; textFormat: Text.PlainText
                       elide: Text.ElideRight; color: Theme.text; font.pixelSize: Theme.fontSize }
                Text { width: parent.width; text: cell.cell_CarNum2; textFormat: Text.PlainText
                       elide: Text.ElideRight; color: Theme.secondaryText; font.pixelSize: Theme.smallFontSize }
                Text { text: cell.cell_CarDate; textFormat: Text.PlainText; color: Theme.secondaryText
                       font.pixelSize: Theme.smallFontSize }
            }

            Column {
                id: buttons
                anchors { right: parent.right; rightMargin: 12; verticalCenter: parent.verticalCenter }
                spacing: 8
                CustomButton {
                    width: 84; height: 36
                    cornerRadius: 6
                    text: "작업 지시"
                    font { pixelSize: Theme.smallFontSize; bold: true }
                    Accessible.name: "작업 지시 " + cell.cell_CarNum
                    onClicked: page.controller.cell_btnCheck_Action(cell.index)
                }
                // Shows whether the car's maintenance can be completed; the service
                // has no procedure to complete it, so pressing it does nothing.
                CustomButton {
                    width: 84; height: 36
                    cornerRadius: 6
                    borderWidth: cell.cell_btnCompleteLook === "ready" ? 1 : 0
                    borderColor: Theme.completeTitle
                    text: "정비완료"
                    font { pixelSize: Theme.smallFontSize; bold: true }
                    Accessible.name: text + " " + cell.cell_CarNum
                    enabled: cell.cell_btnCompleteLook !== "disabled"
                    backgroundColor: cell.cell_btnCompleteLook === "ready" ? Theme.surface
                                   : cell.cell_btnCompleteLook === "disabled" ? Theme.disabledFill : Theme.orange
                    textColor: cell.cell_btnCompleteLook === "ready" ? Theme.completeTitle
                             : cell.cell_btnCompleteLook === "disabled" ? Theme.disabledTitle : Theme.onAccent
                }
            }
        }
    }
}
