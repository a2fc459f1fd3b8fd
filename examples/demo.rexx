/* demo.rexx: a small macro to try the debugger on.
   It talks on standard output, reads a name from standard input,
   loops, and calls routines in this file and in greet.rexx. */
say 'Hello from the Ostra demo.'
say 'What is your name?'
parse pull name
if name = '' then name = 'stranger'

count = 3
total = 0
do i = 1 to count
   square = i * i
   squares.i = square
   total = total + square
   say 'The square of' i 'is' square
end

call greet name, total
say 'greet answered' result

call tally 4
say 'Goodbye,' name || '.'
exit 0

/* An internal routine with variables of its own. */
tally: procedure expose total
   parse arg n
   sum = 0
   do k = 1 to n
      sum = sum + k
   end
   say 'The sum of 1 to' n 'is' sum 'and the squares made' total
   return sum
