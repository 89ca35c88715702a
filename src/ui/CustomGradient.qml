import QtQuick

// A plain view filled with an even vertical gradient, startColor at the top edge
// and endColor at the bottom. Both colours start fully transparent, so an unset
// gradient draws nothing.
Rectangle {
    id: root
    property color startColor: Theme.clear
    property color endColor: Theme.clear

    gradient: Gradient {
        orientation: Gradient.Vertical
        GradientStop { position: 0.0; color: root.startColor }
        GradientStop { position: 1.0; color: root.endColor }
    }
}
