import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"

// Step 5: the description, then the submission.
Item {
    id: page
    property var controller
    property bool keyboardGiven: false

    StackView.onActivated: if (!keyboardGiven) { keyboardGiven = true; inputContent.forceActiveFocus() }

    NavigationBar {
        id: bar
        title: "차량 설명"
        backEnabled: !page.controller.submitting
        onBackClicked: page.controller.dismiss()
    }

    MouseArea {
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        onClicked: page.forceActiveFocus()
    }

    Column {
        id: body
        anchors { left: parent.left; right: parent.right; top: bar.bottom; margins: Theme.margin }
        spacing: 12

        StepHeader { step: 5; caption: "차량 설명" }

        ScrollView {
            width: parent.width
            height: Math.max(160, page.height - bar.height - 220)
            TextArea {
                id: inputContent
                text: page.controller.inputContent
                placeholderText: "차량 설명을 입력해주세요."
                wrapMode: TextEdit.Wrap
                textFormat: TextEdit.PlainText
                font.pixelSize: Theme.fontSize
                Accessible.name: "차량 설명"
                Keys.onTabPressed: submit.forceActiveFocus()
                onTextChanged: if (text !== page.controller.inputContent) controller.inputContent = text
                background: Rectangle {
                    radius: 6
                    color: Theme.surface
                    border.width: inputContent.activeFocus ? 2 : 1
                    border.color: inputContent.activeFocus ? Theme.orange : Theme.controlBorder
                }
            }
        }

        NextButton {
            id: submit
            text: page.controller.submitting ? "등록 중.." : "등록하기"
            enabled: !page.controller.submitting
            onClicked: page.controller.import_p5_btns()
        }
    }
}
