import QtQuick
import "qrc:/tvs/ui"

// Styled views as a layout uses them, for the rendering checks.
Rectangle {
    color: "white"

    CustomGradient { objectName: "plainGradient"; x: 0; y: 0; width: 100; height: 100 }
    CustomGradient {
        objectName: "gradient"; x: 100; y: 0; width: 100; height: 100
        startColor: "#ff0000"; endColor: "#0000ff"
    }
    CustomLabel {
        objectName: "roundLabel"; x: 100; y: 120; width: 100; height: 60
        cornerRadius: 20; borderWidth: 1; borderColor: "grey"; backgroundColor: "#00ff00"
    }
    CustomLabel { objectName: "colorOnlyLabel"; x: 0; y: 200; width: 100; height: 40; borderColor: "grey" }
}
