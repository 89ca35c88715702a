pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import "qrc:/tvs/ui"
import "WizardScroll.js" as WizardScroll

// Step 1: car or truck, the number plate and its lookup, then the choices that
// fix the car's identity.
Item {
    id: page
    property var controller
    property bool keyboardGiven: false

    StackView.onActivated: if (!keyboardGiven) { keyboardGiven = true; editCarNum.input.forceActiveFocus() }

    NavigationBar {
        id: bar
        title: page.controller.editing ? "차량 정보 수정" : "차량 등록"
        onBackClicked: page.controller.dismiss()
    }

    Connections {
        target: page.controller
        function onScrollRequested(fraction) { WizardScroll.scrollTo(viewScroll, scrollAnimation, fraction) }
        function onKeyboardDismissed() { if (editCarNum.input.activeFocus) page.forceActiveFocus() }
    }

    Component {
        id: choice
        ChoiceButton {
            required property var modelData
            width: modelData.width !== undefined ? modelData.width : body.width
            height: modelData.width !== undefined ? 70 : 52
            visible: !(modelData.carOnly === true && page.controller.isCarType)
            flick: viewScroll
            caption: modelData.caption
            title: page.controller.titles[modelData.tag - 1]
            chosen: page.controller.chosen[modelData.tag - 1] === true
            onClicked: page.controller.import_p1_btns(modelData.tag)
        }
    }

    Flickable {
        id: viewScroll
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        contentHeight: body.height + 40
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        NumberAnimation { id: scrollAnimation; target: viewScroll; property: "contentY"; duration: 300
                          easing.type: Easing.OutCubic }

        // A tap anywhere off the fields closes the keyboard.
        MouseArea {
            width: viewScroll.width
            height: Math.max(viewScroll.height, viewScroll.contentHeight)
            onClicked: page.controller.dismissKeyboard()
        }

        Column {
            id: body
            x: Theme.margin
            y: Theme.margin
            width: viewScroll.width - 2 * Theme.margin
            spacing: 10

            StepHeader { step: 1; caption: "차량 정보" }

            Row {
                id: carTypes
                width: parent.width
                Repeater {
                    model: [
                        { title: "승용", truck: false },
                        { title: "화물", truck: true }
                    ]
                    delegate: Button {
                        id: typeButton
                        required property var modelData
                        readonly property bool selected: page.controller.isCarType === modelData.truck
                        width: carTypes.width / 2
                        height: 44
                        text: modelData.title
                        Accessible.name: text
                        Accessible.checkable: true
                        Accessible.checked: selected
                        Keys.onReturnPressed: clicked()
                        Keys.onEnterPressed: clicked()
                        onClicked: modelData.truck ? page.controller.actionCarTypeSelect2()
                                                   : page.controller.actionCarTypeSelect()
                        contentItem: Text {
                            textFormat: Text.PlainText
                            text: typeButton.text
                            color: typeButton.selected ? Theme.onAccent : Theme.navy
                            horizontalAlignment: Text.AlignHCenter
                            verticalAlignment: Text.AlignVCenter
                            font { pixelSize: Theme.fontSize; bold: typeButton.selected }
                        }
                        background: Rectangle {
                            color: typeButton.selected ? Theme.navy : Theme.surface
                            border.width: typeButton.activeFocus ? 2 : 1
                            border.color: typeButton.activeFocus ? Theme.orange : Theme.navy
                        }
                    }
                }
            }

            // The car page and the truck page side by side; the chosen one slides in.
            Flickable {
                id: scrollCarType
                width: parent.width
                height: 48
                contentWidth: width * 2
                interactive: false
                clip: true
                contentX: page.controller.isCarType ? width : 0
                Behavior on contentX { NumberAnimation { duration: 200 } }
                Row {
                    Repeater {
                        model: ["국산차 · 수입차를 등록합니다.", "화물 · 특장 · 버스를 등록합니다."]
                        Rectangle {
                            required property string modelData
                            width: scrollCarType.width
                            height: scrollCarType.height
                            radius: 6
                            color: Theme.selectedFill
                            Text {
                                textFormat: Text.PlainText
                                anchors.centerIn: parent
                                text: parent.modelData
                                color: Theme.navy
                                font.pixelSize: Theme.smallFontSize
                            }
                        }
                    }
                }
            }

            Row {
                width: parent.width
                spacing: 8
                WizardField {
                    id: editCarNum
                    width: parent.width - search.width - 8
                    caption: "차량번호"
                    placeholder: "예: 12가3456"
                    text: page.controller.editCarNum
                    flick: viewScroll
                    onEdited: (text) => page.controller.editCarNum = text
                    onReturned: page.controller.actionCarSearch()
                }
                Button {
                    id: search
                    anchors.bottom: parent.bottom
                    width: 80
                    height: 44
                    text: "조회"
                    Accessible.name: text
                    Keys.onReturnPressed: clicked()
                    Keys.onEnterPressed: clicked()
                    onClicked: page.controller.actionCarSearch()
                    contentItem: Row {
                        spacing: 4
                        BusyIndicator {
                            visible: page.controller.searchLoading
                            running: visible
                            width: 20; height: 20
                            anchors.verticalCenter: parent.verticalCenter
                        }
                        Text {
                            textFormat: Text.PlainText
                            anchors.verticalCenter: parent.verticalCenter
                            text: search.text
                            color: Theme.onAccent
                            font { pixelSize: Theme.fontSize; bold: true }
                        }
                    }
                    background: Rectangle {
                        radius: 6
                        color: search.down ? Theme.orangePressed : Theme.navy
                        border.width: search.activeFocus ? 2 : 0
                        border.color: Theme.orange
                    }
                }
            }

            Repeater {
                model: [
                    { tag: 1, caption: "제조사" },
                    { tag: 2, caption: "모델" },
                    { tag: 3, caption: "세부 모델 1" },
                    { tag: 4, caption: "세부 모델 2", carOnly: true },
                    { tag: 5, caption: "세부 모델 3", carOnly: true }
                ]
                delegate: choice
            }

            // The truck forms take 80 points; for cars the part below moves up over them.
            Item {
                id: forms
                width: parent.width
                height: 80 + page.controller.viewConst
                visible: height > 0
                clip: true
                Row {
                    spacing: 6
                    Repeater {
                        model: [
                            { tag: 10, caption: "형식 1", width: (forms.width - 12) / 3 },
                            { tag: 11, caption: "형식 2", width: (forms.width - 12) / 3 },
                            { tag: 12, caption: "형식 3", width: (forms.width - 12) / 3 }
                        ]
                        delegate: choice
                    }
                }
            }

            Repeater {
                model: [
                    { tag: 6, caption: "연식" },
                    { tag: 7, caption: "연료" },
                    { tag: 8, caption: "최초등록일" },
                    { tag: 9, caption: "변속기" }
                ]
                delegate: choice
            }

            Item { width: 1; height: 8 }
            NextButton {
                flick: viewScroll
                onClicked: page.controller.import_p1_btns(99)
            }
        }
    }
}
