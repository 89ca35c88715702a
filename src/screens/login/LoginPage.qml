pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import QtQml.Models
import "qrc:/tvs/ui"

// The login: the ID and password page and the QR page side by side under a
// two-segment control. Rules live in LoginController.
FocusScope {
    id: root
    property var controller

    // The ID field takes the keyboard at start; the password field when an ID was saved.
    function focusFirstField() {
        if (root.controller && root.controller.passwordFocusFirst)
            pwField.forceActiveFocus()
        else
            idField.forceActiveFocus()
    }
    // Once the page is in its window.
    Timer {
        running: true
        interval: 0
        onTriggered: root.focusFirstField()
    }

    readonly property color selectedTitleColor: Theme.orange
    readonly property color placeholderGrey: Theme.placeholder

    // touchesBegan: a touch outside the fields ends editing (each page has its own
    // touch area below its controls, since the pages' view takes the touches).
    component TouchArea: MouseArea {
        anchors.fill: parent
        onPressed: (mouse) => { root.controller.touchesBegan(); mouse.accepted = false }
    }
    Connections {
        target: root.controller
        function onEditingEnded() { focusSink.forceActiveFocus() }
        function onScrollRequested(offsetX, durationMs) {
            scrollAnimation.stop()
            scrollAnimation.to = offsetX
            scrollAnimation.duration = durationMs
            scrollAnimation.start()
        }
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.surface
        TouchArea {}
    }
    // Holds the focus while no field is edited (the keyboard is closed).
    Item {
        id: focusSink
    }

    Text {
        id: title
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: parent.top
        anchors.topMargin: 48
        text: "TVS Dealer"
        font.pixelSize: 28
        font.bold: true
        color: root.selectedTitleColor
    }

    // login_Seg
    Rectangle {
        id: segments
        anchors.top: title.bottom
        anchors.topMargin: 28
        anchors.horizontalCenter: parent.horizontalCenter
        width: Math.min(parent.width - 40, 320)
        height: 36
        radius: 8
        color: Theme.clear
        border.color: Theme.controlBorder
        Accessible.role: Accessible.PageTabList
        Accessible.name: "로그인 방식"

        Row {
            anchors.fill: parent
            anchors.margins: 2
            Repeater {
                model: root.controller ? root.controller.segmentTitles : []
                delegate: Button {
                    id: segment
                    required property int index
                    required property string modelData
                    readonly property bool selected: root.controller && root.controller.login_Seg === index
                    objectName: "login_Seg" + index
                    width: (segments.width - 4) / 2
                    height: segments.height - 4
                    text: modelData
                    checkable: false
                    Accessible.role: Accessible.PageTab
                    Accessible.name: modelData
                    Accessible.selected: selected
                    background: Rectangle {
                        radius: 6
                        color: segment.selected ? Theme.surface : Theme.clear
                        border.color: segment.selected ? Theme.controlBorder : Theme.clear
                    }
                    contentItem: Text {
                        textFormat: Text.PlainText
                        text: segment.text
                        font.pixelSize: 16
                        color: segment.selected ? root.selectedTitleColor : Theme.grey
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                    }
                    onClicked: root.controller.action_Segmented(index)
                }
            }
        }
    }

    // login_ScrollView: the two pages, paged.
    ListView {
        id: scrollView
        objectName: "login_ScrollView"
        anchors.top: segments.bottom
        anchors.topMargin: 16
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        orientation: ListView.Horizontal
        snapMode: ListView.SnapOneItem
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        model: pages
        onContentXChanged: if (root.controller) root.controller.scrollViewDidScroll(contentX - originX)
        onContentWidthChanged: if (root.controller) root.controller.contentWidth = contentWidth
        // A new window width keeps the page that was shown.
        onWidthChanged: if (root.controller) contentX = originX + root.controller.login_Seg * width

        NumberAnimation {
            id: scrollAnimation
            target: scrollView
            property: "contentX"
            easing.type: Easing.InOutQuad
        }
    }

    ObjectModel {
        id: pages

        // Page 0: ID and password.
        Item {
            width: scrollView.width
            height: scrollView.height
            TouchArea {}

            Column {
                anchors.top: parent.top
                anchors.topMargin: 24
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(parent.width - 40, 320)
                spacing: 12

                TextField {
                    id: idField
                    objectName: "login_ID"
                    width: parent.width
                    height: 44
                    leftPadding: 15
                    font.pixelSize: 16
                    placeholderText: root.controller ? root.controller.idPlaceholder : ""
                    placeholderTextColor: root.placeholderGrey
                    text: root.controller ? root.controller.login_ID : ""
                    inputMethodHints: Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
                    KeyNavigation.tab: pwField
                    Accessible.name: "아이디"
                    Accessible.description: placeholderText
                    onTextEdited: root.controller.login_ID = text
                    onAccepted: pwField.forceActiveFocus()
                }
                TextField {
                    id: pwField
                    objectName: "login_PW"
                    width: parent.width
                    height: 44
                    leftPadding: 15
                    font.pixelSize: 16
                    echoMode: TextInput.Password
                    placeholderText: root.controller ? root.controller.pwPlaceholder : ""
                    placeholderTextColor: root.placeholderGrey
                    text: root.controller ? root.controller.login_PW : ""
                    inputMethodHints: Qt.ImhSensitiveData | Qt.ImhNoPredictiveText
                    KeyNavigation.tab: idField
                    KeyNavigation.backtab: idField
                    Accessible.name: "비밀번호"
                    Accessible.description: placeholderText
                    onTextEdited: root.controller.login_PW = text
                    onAccepted: root.controller.loginBtnAction()
                }
                CustomButton {
                    objectName: "loginBtn"
                    width: parent.width
                    height: 48
                    cornerRadius: 6
                    text: "로그인"
                    font.pixelSize: 17
                    font.bold: true
                    onClicked: root.controller.loginBtnAction()
                }
            }
        }

        // Page 1: QR code.
        Item {
            width: scrollView.width
            height: scrollView.height
            TouchArea {}

            // qr_Preview
            Rectangle {
                id: preview
                objectName: "qr_Preview"
                anchors.top: parent.top
                anchors.topMargin: 8
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(parent.width - 40, 320)
                height: width
                color: Theme.camera
                clip: true
                Accessible.role: Accessible.Graphic
                Accessible.name: "QR 코드 카메라 화면"
                onWidthChanged: if (root.controller) root.controller.viewDidLayoutSubviews(width, height)
                onHeightChanged: if (root.controller) root.controller.viewDidLayoutSubviews(width, height)

                // The camera's view, made when the capture first runs: until then
                // no media module is loaded.
                Loader {
                    id: cameraView
                    anchors.fill: parent
                    visible: status === Loader.Ready && root.controller && root.controller.capturing
                }
                Connections {
                    target: root.controller
                    function onCapturingChanged() {
                        if (root.controller.capturing && cameraView.status === Loader.Null)
                            cameraView.setSource("QrCameraView.qml", { controller: root.controller })
                    }
                }
                Image {
                    anchors.fill: parent
                    fillMode: Image.PreserveAspectCrop
                    source: root.controller ? root.controller.qrImage : ""
                    visible: !cameraView.visible && status === Image.Ready
                    asynchronous: true
                }
                // qrCodeFrameView: the green frame around a read code.
                Rectangle {
                    objectName: "qrCodeFrameView"
                    readonly property rect frame: root.controller ? root.controller.qrCodeFrameView : Qt.rect(0, 0, 0, 0)
                    x: frame.x
                    y: frame.y
                    width: frame.width
                    height: frame.height
                    visible: frame.width > 0 && frame.height > 0
                    color: Theme.clear
                    border.color: Theme.codeFrame
                    border.width: 2
                }
                // qr_msg
                Text {
                    objectName: "qr_msg"
                    anchors.bottom: parent.bottom
                    anchors.bottomMargin: 12
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: root.controller ? root.controller.qr_msg : ""
                    textFormat: Text.PlainText
                    color: root.controller ? root.controller.qr_msgColor : Theme.clear
                    font.pixelSize: 18
                    font.bold: true
                    style: Text.Outline
                    styleColor: Theme.shade
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                }
                Component.onCompleted: {
                    if (root.controller) {
                        root.controller.viewDidLayoutSubviews(width, height)
                    }
                }
            }

            CustomButton {
                objectName: "qrOpenImage"
                anchors.top: preview.bottom
                anchors.topMargin: 16
                anchors.horizontalCenter: parent.horizontalCenter
                visible: root.controller && root.controller.canOpenImage
                width: 160
                height: 44
                cornerRadius: 6
                borderWidth: 1
                borderColor: Theme.orange
                backgroundColor: Theme.surface
                textColor: Theme.orange
                text: "이미지 열기"
                Accessible.description: "QR 코드 이미지 파일을 엽니다"
                onClicked: imagePicker.open()
            }
        }
    }

    // The image picker, made afresh each time the dealer asks for it (its module is
    // not loaded before the first time): it opens as it is made, where the dealer last
    // chose a picture, and hands the chosen one to the login itself.
    Loader {
        id: imagePicker
        function open() {
            imagePicker.setSource("QrImagePicker.qml", { controller: root.controller })
        }
    }
}
