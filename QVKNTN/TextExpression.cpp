#include "QVKNTN/TextExpression.h"

TTextExpression::TTextExpression() : TNtnGeneralExpression(ntTextExpression), fText("<Text Expression>") {
  SetWide(false);
  SetPosition(-8);
}
