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
            readonly property string searched: page.controller.carTable.view.countText
            // While a search narrows the list: the rows shown of all ("12 / 4,585대").
            text: searched !== "" ? searched : page.controller.getCarListCount
            Accessible.name: searched !== "" ? "검색된 차량 " + searched : "차량 " + text + "대"
            color: Theme.orange
            font { pixelSize: 17; bold: true }
        }
    }

    CarSearchBar {
        id: search
        anchors { left: parent.left; right: parent.right; top: header.bottom }
        table: page.controller.carTable
        showsCount: false
    }

    ListView {
        id: carListTable
        anchors { left: parent.left; right: parent.right; top: search.bottom; bottom: parent.bottom }
        clip: true
        model: page.controller.carListTable
        delegate: CarRowCell {
            buttonTitle: page.controller.rowButtonTitle
            onClicked: page.controller.openCar(cell_index)
            onRowButtonPressed: (tag) => page.controller.pressRowButton(tag)
        }
        footer: Qt.createComponent("qrc:/tvs/ui/ListFooter.qml")
    }
}
