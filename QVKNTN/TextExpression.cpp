#include "QVKNTN/TextExpression.h"

TTextExpression::TTextExpression() : TNtnGeneralExpression(ntTextExpression), fText("<Text Expression>") {
  SetWide(kEarlierLine);
  SetPosition(-8);
}
