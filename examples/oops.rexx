/* oops.rexx: the third clause is one the interpreter cannot run. */
a = 1
b = 'two'
c = a + b
say 'never reached'
