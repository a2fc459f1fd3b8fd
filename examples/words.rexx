/* words.rexx: counts the words of the lines typed to it (an empty line
   ends the input) and shows the most frequent ones. It uses the whole
   language, so it needs ostra-regina (the stand-in cannot run it). */
signal on novalue name unset
numeric digits 12
arg top .
if \datatype(top, 'W') then top = 5

count. = 0
seen = ''
lines = 0
do forever
   parse pull line
   if line = '' then leave
   lines = lines + 1
   do while line \= ''
      parse upper var line word line
      word = strip(translate(word, '', '.,;:!?"'''), 'B')
      if word = '' then iterate
      if count.word = 0 then seen = seen word
      count.word = count.word + 1
   end
end

/* The external data queue holds the words, most frequent first. */
call rank
say lines 'line(s),' words(seen) 'different word(s).'
do n = 1 to min(top, queued())
   parse pull word times
   say right(n, 2)'.' left(word, 16, '.') format(times, 4)
end
exit 0

/* Queues every word with its count, by insertion into a sorted list. */
rank: procedure expose seen count.
   order = ''
   do i = 1 to words(seen)
      word = word(seen, i)
      at = 1
      do while at <= words(order)
         other = word(order, at)
         if count.word > count.other then leave
         at = at + 1
      end
      order = subword(order, 1, at - 1) word subword(order, at)
   end
   do i = 1 to words(order)
      w = word(order, i)
      queue w count.w
   end
   return

unset:
   say 'words.rexx: no value for' condition('D') 'at line' sigl
   exit 1
