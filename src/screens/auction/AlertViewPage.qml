import QtQuick
import "qrc:/tvs/ui"

// The selling shop's name and number on a card over the board, which stays in
// view behind it. The number can be selected and copied where no call can be placed.
Item {
    id: page
    property var controller

    Rectangle {
        anchors.fill: parent
        color: Theme.shade
        MouseArea { anchors.fill: parent }
    }

    Rectangle {
        id: card
        anchors.centerIn: parent
        width: Math.min(parent.width - 2 * Theme.margin, 320)
        height: column.implicitHeight + 2 * Theme.margin
        radius: 14
        color: Theme.surface
        Accessible.role: Accessible.Dialog
        Accessible.name: "판매점 연락처"

        Column {
            id: column
            x: Theme.margin
            y: Theme.margin
            width: card.width - 2 * Theme.margin
            spacing: 12

            Text { width: parent.width; text: "판매점 연락처"; horizontalAlignment: Text.AlignHCenter
                   color: Theme.mutedText; font.pixelSize: Theme.smallFontSize }
            Text {
                id: lb_StoreName
                width: parent.width
                text: page.controller.lb_StoreName
                textFormat: Text.PlainText
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                color: Theme.navy
                font { pixelSize: Theme.titleFontSize; bold: true }
                Accessible.role: Accessible.StaticText
                Accessible.name: "판매점 " + text
            }
            TextEdit {
                id: lb_StoreNumber
                width: parent.width
                text: page.controller.lb_StoreNumber
                textFormat: TextEdit.PlainText
                readOnly: true
                selectByMouse: true
                horizontalAlignment: TextEdit.AlignHCenter
                color: Theme.orange
                selectionColor: Theme.selectedFill
                selectedTextColor: Theme.navy
                font { pixelSize: 22; bold: true }
                // Read as the number it is, not as a field to type in.
                Accessible.role: Accessible.StaticText
                Accessible.name: "전화번호 " + text
            }
            Row {
                width: parent.width
                spacing: 8
                CustomButton {
                    width: (parent.width - 8) / 2
                    text: "전화 걸기"
                    cornerRadius: 6
                    onClicked: page.controller.btnCall()
                }
                CustomButton {
                    width: (parent.width - 8) / 2
                    text: "닫기"
                    cornerRadius: 6
                    backgroundColor: Theme.background
                    textColor: Theme.navy
                    onClicked: page.controller.btnDismiss()
                }
            }
        }
    }
}
