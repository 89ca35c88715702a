pragma ComponentBehavior: Bound
import QtQuick
import "qrc:/tvs/ui"

// The dealer's cars, in one of the four ways in (held, sold, cancel, release).
Item {
    id: page
    property var controller

    NavigationBar {
        id: bar
        title: "차량 목록"
        onBackClicked: page.controller.dismiss()
    }

    Rectangle {
        id: header
        anchors { left: parent.left; right: parent.right; top: bar.bottom }
        height: 48
        color: Theme.background
        Text {
            id: getCarListSubTitle
            anchors { left: parent.left; leftMargin: 14; right: getCarListCount.left; rightMargin: 8
                      verticalCenter: parent.verticalCenter }
            text: page.controller.getCarListSubTitle
            textFormat: Text.PlainText
            elide: Text.ElideRight
            color: Theme.navy
            font.pixelSize: Theme.fontSize
        }
        Text {
            textFormat: Text.PlainText
            id: getCarListCount
            anchors { right: parent.right; rightMargin: 14; verticalCenter: parent.verticalCenter }
            text: page.controller.getCarListCount
            Accessible.name: "차량 " + text + "대"
            color: Theme.orange
            font { pixelSize: 17; bold: true }
        }
    }

    ListView {
        id: carListTable
        anchors { left: parent.left; right: parent.right; top: header.bottom; bottom: parent.bottom }
        clip: true
        model: page.controller.carListTable
        delegate: CarRowCell {
            buttonTitle: page.controller.rowButtonTitle
            onClicked: page.controller.openCar(index)
            onRowButtonPressed: (tag) => page.controller.pressRowButton(tag)
        }
        footer: ListFooter {}
    }
}
