import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// Step 2: displacement, mileage, chassis number, price and the sale type.
Item {
    id: page
    property var controller
    property bool keyboardGiven: false

    StackView.onActivated: if (!keyboardGiven) { keyboardGiven = true; editCC.input.forceActiveFocus() }

    NavigationBar {
        id: bar
        title: "가격 및 차량구분"
        onBackClicked: page.controller.dismiss()
    }

    Connections {
        target: page.controller
        function onFocusRequested(field) {
            const fields = { editCC: editCC, sCarMileage: sCarMileage, editCarId: editCarId, editPrice: editPrice }
            if (fields[field])
                fields[field].input.forceActiveFocus()
        }
    }

    Flickable {
        id: scroll
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        contentHeight: body.height + 40
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        MouseArea {
            width: scroll.width
            height: Math.max(scroll.height, scroll.contentHeight)
            onClicked: page.forceActiveFocus()
        }

        Column {
            id: body
            x: Theme.margin
            y: Theme.margin
            width: scroll.width - 2 * Theme.margin
            spacing: 14

            StepHeader { step: 2; caption: "가격 및 차량구분" }

            WizardField {
                id: editCC
                caption: "배기량"
                suffix: "cc"
                inputMethodHints: Qt.ImhDigitsOnly
                text: page.controller.editCC
                flick: scroll
                nextItem: sCarMileage.input
                onEdited: (text) => page.controller.editCC = text
            }
            WizardField {
                id: sCarMileage
                caption: "주행거리"
                suffix: "km"
                inputMethodHints: Qt.ImhDigitsOnly
                text: page.controller.sCarMileage
                flick: scroll
                nextItem: editCarId.input
                onEdited: (text) => page.controller.sCarMileage = text
            }
            WizardField {
                id: editCarId
                caption: "차대번호"
                inputMethodHints: Qt.ImhUppercaseOnly | Qt.ImhNoPredictiveText
                text: page.controller.editCarId
                flick: scroll
                nextItem: editPrice.input
                onEdited: (text) => page.controller.editCarId = text
            }
            WizardField {
                id: editPrice
                caption: "차량가격"
                suffix: "만원"
                inputMethodHints: Qt.ImhDigitsOnly
                text: page.controller.editPrice
                flick: scroll
                nextItem: editSelect
                onEdited: (text) => page.controller.editPrice = text
            }
            ChoiceButton {
                id: editSelect
                width: parent.width
                caption: "차량구분"
                title: page.controller.editSelect
                chosen: true
                flick: scroll
                onClicked: page.controller.actionCarSelect()
            }

            Item { width: 1; height: 8 }
            NextButton {
                flick: scroll
                onClicked: page.controller.actionNext()
            }
        }
    }
}
