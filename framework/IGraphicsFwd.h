#pragma once
// The part of the editor interface the plug-in base calls. The editor library completes this
// class; the plug-in base only needs these three operations, all virtual, so the base links
// without the editor and holds a null editor pointer until one is attached.

class IGraphics {
 public:
  virtual ~IGraphics() {}
  // Creates the drawing surface; called once when the editor is attached to the plug-in.
  virtual void PrepDraw() = 0;
  // Pushes a parameter value into the controls bound to paramIdx; value is normalised (0..1)
  // when normalized is true, else a real value.
  virtual void SetParameterFromPlug(int paramIdx, double value, bool normalized) = 0;
};
