// Placeholder until the drawing library lands.
#include "libs/view3d_qt/krq_show3d_lib_exp.h"

KRQShow3DLibExp::KRQShow3DLibExp() = default;
KRQShow3DLibExp::~KRQShow3DLibExp() = default;
void KRQShow3DLibExp::Init(QWidget*, int, double) {}
void KRQShow3DLibExp::Update(double, double, double) {}
