/* spin.rexx: runs until the debugger breaks in (or kills it). */
n = 0
do forever
   n = n + 1
   if n // 100000 = 0 then say 'still spinning at' n
end
