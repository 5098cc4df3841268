#pragma once
// The names of the editing steps, as the Undo and Redo menu items show them ("Undo Move").

inline constexpr const char* kStepMove = "Move";
inline constexpr const char* kStepResize = "Resize";
inline constexpr const char* kStepCopy = "Copy";
inline constexpr const char* kStepNudge = "Nudge";
inline constexpr const char* kStepDelete = "Delete";
inline constexpr const char* kStepLine = "Line";
inline constexpr const char* kStepRectangle = "Rectangle";
inline constexpr const char* kStepRoundRect = "Round Rectangle";
inline constexpr const char* kStepOval = "Oval";
inline constexpr const char* kStepPolyLine = "PolyLine";
inline constexpr const char* kStepPen = "Pen";
inline constexpr const char* kStepArc = "Arc";
inline constexpr const char* kStepFill = "Fill";
inline constexpr const char* kStepText = "Text";
inline constexpr const char* kStepColour = "Colour";
inline constexpr const char* kStepLineWidth = "Line Width";
inline constexpr const char* kStepFillStyle = "Fill Style";
inline constexpr const char* kStepAlign = "Align";
inline constexpr const char* kStepSize = "Size";
inline constexpr const char* kStepCenter = "Center";
inline constexpr const char* kStepSpace = "Space";
inline constexpr const char* kStepPosition = "Position";
inline constexpr const char* kStepRowSpacing = "Row Spacing";
