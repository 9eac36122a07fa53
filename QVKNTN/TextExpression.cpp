#include "QVKNTN/TextExpression.h"

TTextExpression::TTextExpression() : fText("<Text Expression>") {
  SetWide(false);
  SetPosition(-8);
}
