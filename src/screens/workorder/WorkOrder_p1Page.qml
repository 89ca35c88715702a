import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// The work-order search: a plate number, or a part of one.
Rectangle {
    id: page
    property var controller
    color: Theme.background
    // The plate field takes the keyboard once the page is in its window.
    Timer {
        running: true
        interval: 0
        onTriggered: carNum.forceActiveFocus()
    }

    NavigationBar {
        id: bar
        title: "정비 작업 지시"
        onBackClicked: page.controller.dismiss()
    }

    Column {
        anchors { left: parent.left; right: parent.right; top: bar.bottom; margins: Theme.margin }
        spacing: 12

        Text {
            width: parent.width
            text: "작업할 차량의 번호를 입력하세요. 번호의 일부만 입력해도 됩니다."
            wrapMode: Text.WordWrap
            color: Theme.secondaryText
            font.pixelSize: Theme.fontSize
        }
        TextField {
            id: carNum
            width: parent.width
            height: 44
            font.pixelSize: 16
            placeholderText: "차량번호 또는 번호의 일부"
            placeholderTextColor: Theme.placeholder
            text: page.controller.carNum
            inputMethodHints: Qt.ImhNoPredictiveText
            Accessible.name: "차량번호"
            Accessible.description: placeholderText
            onTextEdited: page.controller.carNum = text
            onAccepted: page.controller.search()
        }
        CustomButton {
            width: parent.width
            height: 48
            cornerRadius: 6
            text: "검색"
            font.bold: true
            onClicked: page.controller.search()
        }
    }
}
